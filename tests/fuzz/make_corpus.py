#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (tests/fuzz/corpus/) from VEXA's own data files.

Run it again after the models in data/ change: python3 tests/fuzz/make_corpus.py
"""
import os
import re
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "..", "data")
CORPUS = os.path.join(HERE, "corpus")
SEP = b"<|>"


def read(name):
    with open(os.path.join(DATA, name), "rb") as f:
        return f.read()


def xor(data):
    value = 0
    for byte in data:
        value ^= byte
    return value


def quadrel_command(node, text):
    body = b"%02d000" % node + text + b"\x03"
    return b"\x02" + body + bytes([xor(body)])


def quadrel_answer(node, code, data, end=0, response=0, bad_bcc=False):
    body = b"%02d00%02X" % (node, end) + code + b"%04X" % response + data + b"\x03"
    return b"\x02" + body + bytes([xor(body) ^ (1 if bad_bcc else 0)])


def at_answer(unit, code, data, end=b"00", ic=False):
    head = b"@%02d" % unit + (b"IC" if ic else code + end) + data
    return head + b"%02X*\r" % xor(head)


def sim_values(name):
    """The [Values] and model text of a simulator profile."""
    text = read(name).decode()
    model = re.search(r"^Model=(.*)$", text, re.M).group(1).encode()
    values = dict(re.findall(r"^(\d+)=(-?\d+)$", text.split("[Values]")[1].split("[")[0], re.M))
    return model, values


def sections(text):
    """Section name -> the section's lines, in file order."""
    result = {}
    for match in re.finditer(rb"^\[([^\]\r\n]+)\]\r?\n(.*?)(?=^\[|\Z)", text, re.M | re.S):
        result[match.group(1).decode()] = match.group(2)
    return result


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def exchange():
    model, values = sim_values("HD40.sim")
    value = b"%04X" % (int(values["2"]) & 0xFFFF)
    read_cmd = b"5202;2;2;0;1"
    write("exchange", "quadrel_model", b"0503;2;1;0;1" + SEP + quadrel_answer(1, b"0503", model))
    write("exchange", "quadrel_value", read_cmd + SEP + quadrel_answer(1, b"5202", value))
    write("exchange", "quadrel_echo",
          read_cmd + SEP + quadrel_command(1, b"52020001") + quadrel_answer(1, b"5202", value))
    write("exchange", "quadrel_retry", read_cmd + SEP + quadrel_answer(1, b"5202", value, bad_bcc=True)
          + SEP + quadrel_answer(1, b"5202", value))
    write("exchange", "quadrel_refused", read_cmd + SEP + quadrel_answer(1, b"5202", b"", end=0x0F)
          + SEP + quadrel_answer(1, b"5202", b"", response=0x1001))
    write("exchange", "quadrel_silent_store", b"6E00;1;0;0;0" + SEP)
    write("exchange", "at_value", b"RD;2;2;1;1" + SEP + at_answer(1, b"RD", value))
    write("exchange", "at_faults", b"RD;2;2;1;1" + SEP + at_answer(1, b"RD", b"", end=b"13")
          + SEP + at_answer(1, b"RD", b"", ic=True) + SEP + at_answer(1, b"RD", value)[:-4] + b"00*\r")


def direct_command():
    model, values = sim_values("HD40.sim")
    write("direct_command", "quadrel_typed", b"[STX]010000503[ETX]")
    write("direct_command", "at_typed", b"@01RD0001")
    write("direct_command", "hex_tokens", b"[02H]01[nul][DEL][0dh][ZZH][STX")
    write("direct_command", "quadrel_answer", quadrel_answer(1, b"0503", model))
    write("direct_command", "at_answer", at_answer(1, b"RD", b"%04X" % int(values["2"])))


def script():
    model, _ = sim_values("HD40.sim")
    answer = quadrel_answer(1, b"0503", model)
    for name in ("HD40.scp", "HD80.scp"):
        for section, lines in sections(read(name)).items():
            if b":Begin;" in lines:
                write("script", "%s_%s" % (name[:4], section), lines + SEP + answer + SEP + answer)
    # The language's own cases add the statements the models do not use.
    cases = os.path.join(HERE, "..", "script", "cases")
    for name in ("control_flow.vxs", "arith_bits.vxs", "strings_clamp.vxs", "stonum_masks.vxs",
                 "numtos_formats.vxs", "rules_comm.vxs", "fail_sjoin_runaway.vxs"):
        path = os.path.join(cases, name)
        if os.path.exists(path):
            with open(path, "rb") as f:
                lines = b"".join(l for l in f.readlines() if not l.startswith(b"#!"))
            write("script", "case_" + name[:-4], lines + SEP + answer)
    prm = sections(read("HD40.prm"))
    scale = quadrel_answer(1, b"5220", b"0002")
    for section in list(k for k in prm if re.fullmatch(r"[0-9A-F]{8}", k))[:6]:
        write("script", "HD40_prm_" + section, prm[section] + SEP + scale)


def param_table():
    for name in ("HD40.prm", "HD80.prm"):
        write("param_table", name, read(name))


def profiles():
    for name in ("VEXA.cap", "HD40.tbl", "HD80.tbl", "HD40.sim", "HD80.sim"):
        write("profiles", name, read(name))
    write("profiles", "Maintain01.txt", b"[CommunicationSettings]\r\nRetry=3\r\nTimeOut=70000\r\n")


def param_file():
    model, values = sim_values("HD40.sim")
    header = b"2026/01/01 00:00:00".ljust(32, b"\0") + b"HD40 compact controller".ljust(64, b"\0")
    records = b"".join(struct.pack("<ii", int(n), 10 if int(n) % 3 else 0) + v.encode().ljust(32, b"\0")
                       for n, v in sorted(values.items(), key=lambda item: int(item[0])))
    write("param_file", "HD40.tmf", header + records)
    write("param_file", "partial.tmf", header + records[:100])
    write("param_file", "no_zero.tmf", b"D" * 32 + b"N" * 64 + struct.pack("<ii", 2, 1) + b"9" * 32)


def cli_args():
    lines = [
        b"--port\0/dev/null\0identify",
        b"upload\0-o\0set.tmf\0--csv\0set.csv\0--unit\0099",
        b"--json\0download\0-i\0set.tmf\0--target-unit\0002\0--parity\0odd\0--stop-bits\0001",
        b"set\0Set point=25.5\0--baud\09600\0--data-bits\08",
        b"send\0[STX]010000503[ETX]\0--retry\03\0--timeout\0500",
        b"export\0-i\0a.tmf\0-o\0b.csv\0--table\0HD40.prm",
        b"get\0Set point\012\0--home\0/tmp",
        b"show\0--help",
        b"diff\0a.tmf\0b.tmf\0--table\0HD40.prm\0--json",
        b"--version",
    ]
    for number, line in enumerate(lines):
        write("cli_args", "args%d" % number, line)


def main():
    shutil.rmtree(CORPUS, ignore_errors=True)
    for make in (exchange, direct_command, script, param_table, profiles, param_file, cli_args):
        make()


if __name__ == "__main__":
    main()

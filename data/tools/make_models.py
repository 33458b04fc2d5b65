#!/usr/bin/env python3
"""Writes the data files of VEXA's two fictional controller models, HD40 and HD80.

The parameter lists below are the single source: the parameter tables (with their condition and
scale routines, whose section names are computed from the item), the model indexes, the scripts,
the simulator profiles and the parameter list of data/README.md are all generated from them.
Run from the repository root:  python3 data/tools/make_models.py
"""

import os
import struct

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

READ_MRC = "52"   # read one parameter:  52 + address
WRITE_MRC = "57"  # write one parameter: 57 + address, then the value
HEADING_READ = "0F00"  # link check: answered without data

# Parameter: number (also its address), name, value format, writable, write mode, scale,
# condition, low, high, initial value, unit, meaning.
#   format: "h4"/"h8" hexadecimal with 4/8 digits, "s" signed four-character text,
#           "n" no value (a heading), "at" 4-digit hexadecimal over at-frames
#   scale:  None, "dp" (decimal places from the decimal-point parameter), or a fixed power of ten
#   cond:   None, ("set", n, text): exists while parameter n is not 0,
#           ("is", n, v, text): exists while parameter n equals v
# Low, high and initial values are integers as they travel (before the decimal point).


def P(num, name, fmt, writable, wm, scale, cond, lo, hi, init, unit, meaning):
    return dict(num=num, name=name, fmt=fmt, writable=writable, wm=wm, scale=scale, cond=cond,
                lo=lo, hi=hi, init=init, unit=unit, meaning=meaning)


ALARM_TYPES = "0 none, 1 high, 2 low, 3 deviation high, 4 deviation low, 5 band"
INPUT_TYPES = "0 K, 1 J, 2 T, 3 E, 4 R, 5 S, 6 N, 7 Pt100, 8 0-10 V, 9 4-20 mA"

HD40 = dict(
    prefix="HD40", model_text="HD40-R", dp=32, control_mode=17,
    keys=[("HD40-R", "HD40 compact controller (relay output)"),
          ("HD40-S", "HD40 compact controller (SSR output)")],
    params=[
        P(1, "Process value", "h8", 0, 0, "dp", None, -19999, 99999, 235, "degC", "measured temperature"),
        P(2, "Set point", "h8", 1, 0, "dp", None, -19999, 99999, 2500, "degC", "control target"),
        P(3, "Output level", "h4", 0, 0, 10, None, 0, 1000, 0, "%", "present control output"),
        P(4, "Run/stop", "h4", 1, 0, None, None, 0, 1, 0, "", "0 run, 1 stop"),
        P(5, "Operating hours", "h8", 0, 0, None, None, 0, 999999, 1234, "h", "hours powered"),
        P(6, "Ramp rise rate", "h4", 1, 0, "dp", None, 0, 9999, 0, "degC/min", "0 = no ramp"),
        P(7, "Ramp fall rate", "h4", 1, 0, "dp", None, 0, 9999, 0, "degC/min", "0 = no ramp"),
        P(8, "Alarm 1 type", "h4", 1, 0, None, None, 0, 5, 1, "", ALARM_TYPES),
        P(9, "Alarm 1 value", "h8", 1, 0, "dp", ("set", 8, "AL1"), -19999, 99999, 3000, "degC", "alarm 1 limit"),
        P(10, "Alarm 1 hysteresis", "h4", 1, 0, "dp", ("set", 8, "AL1"), 1, 9999, 10, "degC", "alarm 1 reset band"),
        P(11, "Alarm 2 type", "h4", 1, 0, None, None, 0, 5, 0, "", ALARM_TYPES),
        P(12, "Alarm 2 value", "h8", 1, 0, "dp", ("set", 11, "AL2"), -19999, 99999, 0, "degC", "alarm 2 limit"),
        P(13, "Alarm 2 hysteresis", "h4", 1, 0, "dp", ("set", 11, "AL2"), 1, 9999, 10, "degC", "alarm 2 reset band"),
        P(14, "Alarm 3 type", "h4", 1, 0, None, None, 0, 5, 0, "", ALARM_TYPES),
        P(15, "Alarm 3 value", "h8", 1, 0, "dp", ("set", 14, "AL3"), -19999, 99999, 0, "degC", "alarm 3 limit"),
        P(16, "Alarm 3 hysteresis", "h4", 1, 0, "dp", ("set", 14, "AL3"), 1, 9999, 10, "degC", "alarm 3 reset band"),
        P(17, "Control mode", "h4", 1, 0, None, None, 0, 1, 1, "", "0 on/off, 1 PID"),
        P(18, "Proportional band", "h4", 1, 0, "dp", ("is", 17, 1, "PID"), 1, 9999, 80, "degC", "P term"),
        P(19, "Integral time", "h4", 1, 0, None, ("is", 17, 1, "PID"), 0, 3999, 240, "s", "I term, 0 = off"),
        P(20, "Derivative time", "h4", 1, 0, None, ("is", 17, 1, "PID"), 0, 3999, 40, "s", "D term, 0 = off"),
        P(21, "Anti-reset windup", "h4", 1, 0, None, ("is", 17, 1, "PID"), 0, 100, 100, "%", "of the proportional band"),
        P(22, "On/off hysteresis", "h4", 1, 0, "dp", ("is", 17, 0, "ONOFF"), 1, 9999, 10, "degC", "switching band in on/off mode"),
        P(23, "Control period", "h4", 1, 0, None, ("is", 17, 1, "PID"), 1, 99, 20, "s", "relay cycle time"),
        P(24, "Manual reset", "h4", 1, 0, 10, None, 0, 1000, 500, "%", "output at zero deviation"),
        P(25, "Output upper limit", "h4", 1, 0, 10, None, 0, 1000, 1000, "%", "highest output"),
        P(26, "Output lower limit", "h4", 1, 0, 10, None, 0, 1000, 0, "%", "lowest output"),
        P(27, "Input shift", "h8", 1, 0, "dp", None, -1999, 1999, 0, "degC", "added to the measurement"),
        P(28, "Input filter", "h4", 1, 0, 10, None, 0, 999, 0, "s", "time constant, 0 = off"),
        P(29, "Set point upper limit", "h8", 1, 0, "dp", None, -19999, 99999, 8000, "degC", "highest set point"),
        P(30, "Set point lower limit", "h8", 1, 0, "dp", None, -19999, 99999, 0, "degC", "lowest set point"),
        P(31, "Input type", "h4", 1, 1, None, None, 0, 9, 0, "", INPUT_TYPES),
        P(32, "Decimal point", "h4", 1, 1, None, None, 0, 2, 1, "", "decimal places of temperatures"),
        P(33, "Temperature unit", "h4", 1, 1, None, None, 0, 1, 0, "", "0 degC, 1 degF"),
        P(34, "Range upper limit", "h8", 1, 1, "dp", None, -19999, 99999, 13000, "degC", "top of the input range"),
        P(35, "Range lower limit", "h8", 1, 1, "dp", None, -19999, 99999, -1000, "degC", "bottom of the input range"),
        P(36, "Control action", "h4", 1, 1, None, None, 0, 1, 0, "", "0 reverse (heating), 1 direct (cooling)"),
        P(37, "Output type", "h4", 0, 0, None, None, 0, 1, 0, "", "0 relay, 1 SSR drive"),
        P(38, "Unit number", "h4", 0, 0, None, None, 0, 99, 1, "", "communication address"),
        P(39, "Baud rate", "h4", 0, 0, None, None, 0, 3, 2, "", "0 9600, 1 19200, 2 38400, 3 57600"),
        P(40, "Response delay", "h4", 1, 0, None, None, 0, 99, 0, "ms", "wait before answering"),
        P(41, "Key lock", "h4", 2, 2, None, None, 0, 2, 0, "", "0 off, 1 setting keys, 2 all keys"),
        P(42, "Display brightness", "h4", 1, 0, None, None, 1, 5, 3, "", "front display level"),
        P(43, "Firmware version", "h4", 0, 0, None, None, 0, 65535, 0x0102, "", "major * 256 + minor"),
    ],
    # Setup first: the input type, unit and range bound every temperature written after them.
    download_first=[31, 32, 33, 34, 35, 36],
    download_last=[41],
)

HD80 = dict(
    prefix="HD80", model_text="HD80-D", dp=33, control_mode=None,
    keys=[("HD80-D/B2", "HD80 dual-loop controller"),
          ("HD80-D/B1", "HD80 dual-loop controller (early series)")],
    params=[
        P(1, "-- Operation --", "n", 0, 0, None, None, 0, 0, 0, "", "heading"),
        P(2, "Loop 1 process value", "s", 0, 0, "dp", None, -1999, 9999, 235, "degC", "measured temperature"),
        P(3, "Loop 1 set point", "s", 1, 0, "dp", None, -1999, 9999, 1500, "degC", "control target"),
        P(4, "Loop 1 output", "h4", 0, 0, 10, None, 0, 1000, 0, "%", "present output"),
        P(5, "Loop 2 process value", "s", 0, 0, "dp", None, -1999, 9999, 221, "degC", "measured temperature"),
        P(6, "Loop 2 set point", "s", 1, 0, "dp", None, -1999, 9999, 800, "degC", "control target"),
        P(7, "Loop 2 output", "h4", 0, 0, 10, None, 0, 1000, 0, "%", "present output"),
        P(8, "Run/stop", "h4", 1, 0, None, None, 0, 3, 0, "", "bit 0 loop 1 stopped, bit 1 loop 2 stopped"),
        P(9, "-- Alarms --", "n", 0, 0, None, None, 0, 0, 0, "", "heading"),
        P(10, "Alarm 1 type", "h4", 1, 0, None, None, 0, 5, 1, "", ALARM_TYPES),
        P(11, "Alarm 1 value", "s", 1, 0, "dp", ("set", 10, "A1"), -1999, 9999, 2000, "degC", "alarm 1 limit"),
        P(12, "Alarm 1 hysteresis", "s", 1, 0, "dp", ("set", 10, "A1"), 1, 9999, 10, "degC", "alarm 1 reset band"),
        P(13, "Alarm 2 type", "h4", 1, 0, None, None, 0, 5, 2, "", ALARM_TYPES),
        P(14, "Alarm 2 value", "s", 1, 0, "dp", ("set", 13, "A2"), -1999, 9999, -50, "degC", "alarm 2 limit"),
        P(15, "Alarm 2 hysteresis", "s", 1, 0, "dp", ("set", 13, "A2"), 1, 9999, 10, "degC", "alarm 2 reset band"),
        P(16, "Alarm 3 type", "h4", 1, 0, None, None, 0, 5, 0, "", ALARM_TYPES),
        P(17, "Alarm 3 value", "s", 1, 0, "dp", ("set", 16, "A3"), -1999, 9999, 0, "degC", "alarm 3 limit"),
        P(18, "Alarm 3 hysteresis", "s", 1, 0, "dp", ("set", 16, "A3"), 1, 9999, 10, "degC", "alarm 3 reset band"),
        P(19, "Alarm 4 type", "h4", 1, 0, None, None, 0, 5, 0, "", ALARM_TYPES),
        P(20, "Alarm 4 value", "s", 1, 0, "dp", ("set", 19, "A4"), -1999, 9999, 0, "degC", "alarm 4 limit"),
        P(21, "Alarm 4 hysteresis", "s", 1, 0, "dp", ("set", 19, "A4"), 1, 9999, 10, "degC", "alarm 4 reset band"),
        P(22, "Alarm output mask", "h8", 1, 0, None, None, 0, 0xFFFF, 0x0003, "", "bit n routes alarm n+1 to output"),
        P(23, "-- Loop 1 PID --", "n", 0, 0, None, None, 0, 0, 0, "", "heading"),
        P(24, "Loop 1 control mode", "h4", 1, 0, None, None, 0, 1, 1, "", "0 on/off, 1 PID"),
        P(25, "Loop 1 proportional band", "s", 1, 0, "dp", ("is", 24, 1, "PID1"), 1, 9999, 100, "degC", "P term"),
        P(26, "Loop 1 integral time", "h4", 1, 0, None, ("is", 24, 1, "PID1"), 0, 3999, 200, "s", "I term"),
        P(27, "Loop 1 derivative time", "h4", 1, 0, None, ("is", 24, 1, "PID1"), 0, 3999, 50, "s", "D term"),
        P(28, "Loop 1 hysteresis", "s", 1, 0, "dp", ("is", 24, 0, "HYS1"), 1, 9999, 10, "degC", "on/off band"),
        P(29, "Loop 1 control period", "h4", 1, 0, None, None, 1, 99, 2, "s", "output cycle time"),
        P(30, "-- Loop 2 PID --", "n", 0, 0, None, None, 0, 0, 0, "", "heading"),
        P(31, "Loop 2 control mode", "h4", 1, 0, None, None, 0, 1, 0, "", "0 on/off, 1 PID"),
        P(32, "Loop 2 proportional band", "s", 1, 0, "dp", ("is", 31, 1, "PID2"), 1, 9999, 100, "degC", "P term"),
        P(34, "Loop 2 integral time", "h4", 1, 0, None, ("is", 31, 1, "PID2"), 0, 3999, 200, "s", "I term"),
        P(35, "Loop 2 derivative time", "h4", 1, 0, None, ("is", 31, 1, "PID2"), 0, 3999, 50, "s", "D term"),
        P(36, "Loop 2 hysteresis", "s", 1, 0, "dp", ("is", 31, 0, "HYS2"), 1, 9999, 20, "degC", "on/off band"),
        P(37, "Loop 2 control period", "h4", 1, 0, None, None, 1, 99, 20, "s", "output cycle time"),
        P(38, "-- Setup --", "n", 0, 0, None, None, 0, 0, 0, "", "heading"),
        P(39, "Loop 1 input type", "h4", 1, 1, None, None, 0, 9, 0, "", INPUT_TYPES),
        P(40, "Loop 2 input type", "h4", 1, 1, None, None, 0, 9, 7, "", INPUT_TYPES),
        P(41, "Temperature unit", "h4", 1, 1, None, None, 0, 1, 0, "", "0 degC, 1 degF"),
        P(33, "Decimal point", "h4", 1, 1, None, None, 0, 1, 1, "", "decimal places of temperatures"),
        P(42, "Loop 1 range high", "s", 1, 1, "dp", None, -1999, 9999, 9999, "degC", "top of the input range"),
        P(43, "Loop 1 range low", "s", 1, 1, "dp", None, -1999, 9999, 0, "degC", "bottom of the input range"),
        P(44, "Loop 2 range high", "s", 1, 1, "dp", None, -1999, 9999, 4000, "degC", "top of the input range"),
        P(45, "Loop 2 range low", "s", 1, 1, "dp", None, -1999, 9999, -1999, "degC", "bottom of the input range"),
        P(46, "Loop 1 control action", "h4", 1, 1, None, None, 0, 1, 0, "", "0 reverse, 1 direct"),
        P(47, "Loop 2 control action", "h4", 1, 1, None, None, 0, 1, 1, "", "0 reverse, 1 direct"),
        P(48, "Input shift loop 1", "s", 1, 2, "dp", None, -1999, 1999, 0, "degC", "calibration offset"),
        P(49, "Input shift loop 2", "s", 1, 2, "dp", None, -1999, 1999, 0, "degC", "calibration offset"),
        P(50, "-- Communication --", "n", 0, 0, None, None, 0, 0, 0, "", "heading"),
        P(51, "Unit number", "h4", 0, 0, None, None, 0, 99, 1, "", "communication address"),
        P(52, "Baud rate", "h4", 0, 0, None, None, 0, 3, 2, "", "0 9600, 1 19200, 2 38400, 3 57600"),
        P(53, "Display brightness", "at", 1, 0, None, None, 1, 8, 4, "", "front display level (at-frame RB/WB)"),
        P(54, "Protect level", "h4", 2, 2, None, None, 0, 3, 0, "", "0 none ... 3 everything locked"),
        P(55, "Operating hours", "h8", 0, 0, None, None, 0, 999999, 5678, "h", "hours powered"),
        P(56, "Firmware version", "h4", 0, 0, None, None, 0, 65535, 0x0201, "", "major * 256 + minor"),
    ],
    download_first=[39, 40, 41, 33, 42, 43, 44, 45, 46, 47],
    download_last=[54],
)

# Write-mode commands: enter setup, leave setup then store to non-volatile memory. The store
# command is not answered (the controller is busy writing): reply required 0.
LISTS = {
    "HD40": dict(enter="6C01;2;2;0;1", leave="6C00;2;2;0;1;6E00;1;0;0;0"),
    "HD80": dict(enter="WM1;2;2;1;1", leave="WM0;2;2;1;1;6E00;1;0;0;0"),
}


def signed_sum(text):
    return sum(struct.unpack("b", bytes([b]))[0] for b in text.encode("latin-1"))


def routine_name(text, number, scale):
    return "%08X" % ((signed_sum(text) + number + (65536 if scale else 0)) & 0xFFFFFFFF)


def read_command(p):
    if p["fmt"] == "n":
        return HEADING_READ + ";1;1;0;1;2"
    if p["fmt"] == "at":
        return "RB;2;2;1;1;0"
    fmt = 1 if p["fmt"] == "s" else 0
    return "%s%02X;2;2;0;1;%d" % (READ_MRC, p["num"], fmt)


def write_command(p):
    if p["fmt"] == "n":
        return HEADING_READ + ";1;1;0;1;2;4"
    if p["fmt"] == "at":
        return "WB;2;2;1;1;0;4"
    fmt = 1 if p["fmt"] == "s" else 0
    digits = 8 if p["fmt"] == "h8" else 4
    return "%s%02X;2;2;0;1;%d;%d" % (WRITE_MRC, p["num"], fmt, digits)


def scale_text(p):
    if p["scale"] is None:
        return ""
    return "DP" if p["scale"] == "dp" else "F%d" % (len(str(p["scale"])) - 1)


def item_line(model, p):
    lists = LISTS[model["prefix"]]
    enter = lists["enter"] if p["wm"] else ""
    leave = lists["leave"] if p["wm"] else ""
    cond = p["cond"]
    fields = [p["name"], read_command(p), write_command(p), "1" if p["scale"] else "0",
              scale_text(p), enter, leave, str(p["writable"]), str(p["wm"]), str(p["num"]),
              "1" if cond else "0", cond[-1] if cond else "0"]
    return "{" + ",".join(fields) + "}"


def read_word(number):
    return 'COMMREAD "%s%02X",0,1,15,4,0xFFFF,3,2000,v;' % (READ_MRC, number)


def condition_routine(cond):
    test = ("IF v,!=,0,::yes,::no;" if cond[0] == "set"
            else "IF v,==,%d,::yes,::no;" % cond[2])
    return [":VarBegin;", "var WORD v;", "var INT exists;", ":VarEnd;", ":Begin;",
            read_word(cond[1]), "STORE exists,0;", test, "::yes;", "STORE exists,1;", "::no;",
            "RET exists;", ":End;"]


def scale_routine(model, scale):
    if scale != "dp":
        return [":VarBegin;", "var LONG scale;", ":VarEnd;", ":Begin;",
                "STORE scale,%d;" % scale, "RET scale;", ":End;"]
    return [":VarBegin;", "var WORD v;", "var LONG scale;", ":VarEnd;", ":Begin;",
            read_word(model["dp"]), "STORE scale,1;", "::next;", "IF v,==,0,::done,::more;",
            "::more;", "MUL scale,10;", "SUB v,1;", "JMP ::next;", "::done;", "RET scale;",
            ":End;"]


def table_text(model):
    prefix = model["prefix"]
    params = model["params"]
    out = ["; %s parameter table (VEXA's own fictional model)." % prefix,
           "; Generated by data/tools/make_models.py; edit the lists there.",
           "[ParamList]"]
    out += [item_line(model, p) for p in params]
    by_num = {p["num"]: p for p in params}
    transferred = [p["num"] for p in params if p["writable"]]
    first, last = model["download_first"], model["download_last"]
    download = first + [n for n in transferred if n not in first and n not in last] + last
    out += ["", "[DownloadList]"] + ["%d=%s" % (n, by_num[n]["name"]) for n in download]
    out += ["", "[Upload]"] + ["%d=%s" % (n, by_num[n]["name"]) for n in transferred]
    out += ["", "; Condition and scale routines, named from the item's text and number."]
    done = set()
    for p in params:
        if p["cond"]:
            name = routine_name(p["cond"][-1], p["num"], False)
            assert name not in done
            done.add(name)
            out += ["", "[%s]" % name, "// %s exists?" % p["name"]] + condition_routine(p["cond"])
        if p["scale"]:
            name = routine_name(scale_text(p), p["num"], True)
            assert name not in done
            done.add(name)
            out += ["", "[%s]" % name, "// scale of %s" % p["name"]] + \
                scale_routine(model, p["scale"])
    return "\n".join(out) + "\n"


def index_text(model):
    out = ["; %s model index: key from the Connect routine, parameter table, display name."
           % model["prefix"]]
    out += ['"%s","%s.prm","%s"' % (key, model["prefix"], name) for key, name in model["keys"]]
    out += ["ENDOFTABLE,-"]
    return "\n".join(out) + "\n"


SCRIPTS = {
    "HD40": """; HD40 routines (VEXA's own fictional model).
[Connect]
// The key is the model text itself: HD40-R (relay) or HD40-S (SSR).
:VarBegin;
var STRING key;
:VarEnd;
:Begin;
COMMREAD "0503",0,1,15,6,NOMASK,3,2000,key;
RET key;
:End;

[DisConnect]
// Leave setup mode in case the operator left the Write box ticked.
:Begin;
COMMTYPEREAD "6C00",0,1,0,0,NOMASK,2,1000;
:End;

[BeforeDownload]
// Stop control and open setup mode for the whole download.
:Begin;
COMMTYPEREAD "7101",0,1,0,0,NOMASK,3,2000;
COMMTYPEREAD "6C01",0,1,0,0,NOMASK,3,2000;
:End;

[AfterDownload]
// Close setup mode, store (not answered) and run again.
:Begin;
COMMTYPEREAD "6C00",0,1,0,0,NOMASK,3,2000;
COMMTYPEREAD "6E00",0,0,0,0,NOMASK,1,1000;
COMMTYPEREAD "7100",0,1,0,0,NOMASK,3,2000;
:End;

[TCImage]
HD40.bmp
""",
    "HD80": """; HD80 routines (VEXA's own fictional model).
[Connect]
// The key joins the model text and the hardware series read over an at-frame: HD80-D/B2.
:VarBegin;
var STRING key;
var STRING series;
:VarEnd;
:Begin;
COMMREAD "0503",0,1,15,6,NOMASK,3,2000,key;
COMMREAD "RS",1,1,7,2,NOMASK,3,2000,series;
SJOIN key,'/';
SJOIN key,series;
RET key;
:End;

[DisConnect]
:Begin;
COMMTYPEREAD "WM0",1,1,0,0,NOMASK,2,1000;
:End;

[BeforeDownload]
// Open write mode for the whole download: the write-mode 2 parameters need it.
:Begin;
COMMTYPEREAD "WM1",1,1,0,0,NOMASK,3,2000;
:End;

[AfterDownload]
:Begin;
COMMTYPEREAD "WM0",1,1,0,0,NOMASK,3,2000;
COMMTYPEREAD "6E00",0,0,0,0,NOMASK,1,1000;
:End;

[TCImage]
HD80.bmp
""",
}

# The simulated units' controls: write mode, stop / restart control (the HD80 script has none)
# and the store, which is never answered.
SIM_EXTRA = {
    "HD40": dict(enter="6C01", leave="6C00", stop="7101", start="7100", store="6E00", at=[]),
    "HD80": dict(enter="WM1", leave="WM0", stop="", start="", store="6E00", at=["RS=B2"]),
}


def sim_text(model):
    extra = SIM_EXTRA[model["prefix"]]
    out = ["; Simulator profile of the %s: vexa-sim --profile %s.sim" % (model["prefix"], model["prefix"]),
           "[Sim]", "Model=%s" % model["model_text"], "Units=1,2",
           "[Memory]", "Table=%s.prm" % model["prefix"],
           "WriteModeEnter=%s" % extra["enter"], "WriteModeLeave=%s" % extra["leave"]]
    if extra["stop"]:
        out += ["RunStop=%s" % extra["stop"], "RunStart=%s" % extra["start"]]
    out += ["Store=%s" % extra["store"], "[Quadrel]", HEADING_READ + "="]
    if extra["at"]:
        out += ["[At]"] + extra["at"]
    out += ["[Values]"] + ["%d=%d" % (p["num"], p["init"]) for p in model["params"] if p["fmt"] != "n"]
    out += ["[Ranges]"] + ["%d=%d,%d" % (p["num"], p["lo"], p["hi"])
                           for p in model["params"] if p["fmt"] != "n"]
    return "\n".join(out) + "\n"


def readme_rows(model):
    rows = ["| No. | Name | Value | Range (as sent) | Unit | Writable | Write mode | Scale | Exists when | Meaning |",
            "|---|---|---|---|---|---|---|---|---|---|"]
    names = {p["num"]: p["name"] for p in model["params"]}
    kinds = {"h4": "hex 4", "h8": "hex 8", "s": "signed", "n": "none", "at": "at-frame hex 4"}
    for p in model["params"]:
        cond = p["cond"]
        when = "" if not cond else ("%s set" % names[cond[1]] if cond[0] == "set"
                                   else "%s = %d" % (names[cond[1]], cond[2]))
        scale = "" if not p["scale"] else ("decimal point" if p["scale"] == "dp" else "1 place")
        rng = "" if p["fmt"] == "n" else "%d .. %d" % (p["lo"], p["hi"])
        rows.append("| %d | %s | %s | %s | %s | %d | %d | %s | %s | %s |" % (
            p["num"], p["name"], kinds[p["fmt"]], rng, p["unit"], p["writable"], p["wm"], scale,
            when, p["meaning"]))
    return "\n".join(rows) + "\n"


def fill_readme(prefix, rows):
    """Replaces the parameter list between the model's two markers in data/README.md."""
    path = os.path.join(DATA, "README.md")
    with open(path) as f:
        text = f.read()
    start = "<!-- %s parameters -->\n" % prefix
    end = "<!-- end of %s parameters -->" % prefix
    head, rest = text.split(start)
    _, tail = rest.split(end)
    with open(path, "w") as f:
        f.write(head + start + rows + end + tail)


def bitmap(width, height, draw):
    """A 24-bit BMP whose pixels come from draw(x, y) -> (r, g, b)."""
    row = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = draw(x, y)
            line += bytes((b, g, r))
        pixels += line + bytes(row - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def face(displays, accent):
    """A controller front: grey bezel, dark face, red value displays, four keys."""
    def draw(x, y):
        if x < 3 or y < 3 or x > 92 or y > 92:
            return (150, 150, 155)
        for (x0, y0, x1, y1) in displays:
            if x0 <= x <= x1 and y0 <= y <= y1:
                segment = (x - x0) % 8 < 5 and (y - y0) % 10 in (1, 5, 9)
                return (255, 60, 40) if segment else (60, 10, 10)
        if 80 <= y <= 86 and any(k <= x <= k + 12 for k in (10, 30, 50, 70)):
            return accent
        return (35, 38, 45)
    return draw


def main():
    for model in (HD40, HD80):
        prefix = model["prefix"]
        files = {"%s.prm" % prefix: table_text(model), "%s.tbl" % prefix: index_text(model),
                 "%s.scp" % prefix: SCRIPTS[prefix], "%s.sim" % prefix: sim_text(model)}
        for name, text in files.items():
            with open(os.path.join(DATA, name), "w", newline="\n") as f:
                f.write(text)
        fill_readme(prefix, readme_rows(model))
    with open(os.path.join(DATA, "HD40.bmp"), "wb") as f:
        f.write(bitmap(96, 96, face([(10, 12, 85, 40), (30, 48, 85, 66)], (90, 160, 90))))
    with open(os.path.join(DATA, "HD80.bmp"), "wb") as f:
        f.write(bitmap(96, 96, face([(8, 10, 46, 38), (50, 10, 88, 38), (8, 46, 46, 66),
                                     (50, 46, 88, 66)], (90, 120, 200))))


if __name__ == "__main__":
    main()

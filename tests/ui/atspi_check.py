#!/usr/bin/python3
# What a screen reader hears from the real vexa, through AT-SPI (ctest runs this under
# xvfb-run and dbus-run-session): the ten bitmap buttons are push buttons, Link a checkable one
# that is checked once linked to a simulated HD40; the lamps are labels whose description is
# their state; every control has a name; the port dialog's fields are labelled.
# With "job": a whole job by keyboard alone under a window manager (openbox), as on a desktop:
# the key list and the port dialog, Link, step, write, the Write tick (Return in its question sends nothing), Upload, Save,
# Download, a value changed, Open, Verify with a difference, Export, Exit; after each key the
# keyboard is in vexa where the work goes on, and every control shown has a name.  With "de"
# too, the same job under a German locale, where no window says a text of the English catalogue
# alone.
# With "fit": maximised by the window manager's key, the side panel opened and closed, the
# program ended and started again: every control stays on the screen and the window maximised.
# Usage: atspi_check.py BIN_DIR [job [de] | fit]
import os, re, shutil, subprocess, sys, tempfile, time

import pyatspi
from gi.repository import GLib

BUTTONS = ["Exit", "Port", "Link", "About", "Export", "Save", "Open", "Download", "Upload", "Verify"]
NAMED_ROLES = {"push button", "radio button", "text", "check box", "combo box"}


def fail(why):
    print("AT-SPI check:", why)
    sys.exit(1)


def wait_for(what, find, seconds=20):
    for _ in range(seconds * 10):
        found = find()
        if found:
            return found
        time.sleep(0.1)
    fail(what)


def nodes(root):
    for child in root:
        if child is None:
            continue
        yield child
        yield from nodes(child)


def window(title_role):
    def find():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "vexa":
                for w in app:
                    if w is not None and w.getRoleName() == "dialog" and title_role(w):
                        return w
        return None
    return find


def by_name(root, role, name):
    return next((n for n in nodes(root) if n.getRoleName() == role and n.name == name), None)


def states(node):
    return node.getState()


def catalogue(path):
    """The catalogue's entries by section and number (the title as number "Title")."""
    texts, section = {}, ""
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("["):
                section = line.strip()
            elif "=" in line and (line[:3].isdigit() or line.startswith("Title=")):
                number, text = line.split("=", 1)
                texts[(section, number)] = text.strip()
    return texts


class Words:
    """The texts vexa shows in the job's language, by catalogue number, and the English ones
    that no German window may say."""

    def __init__(self, bin_dir, lang):
        english = catalogue(os.path.join(bin_dir, "VEXA.cap"))
        own = catalogue(os.path.join(bin_dir, "VEXA.de.cap")) if lang else english
        self.texts = {key: own.get(key, text) for key, text in english.items()}
        german = " ".join(own.values())
        # The pieces between the values put in, each a word or more, that German never uses.
        pieces = {p.strip(" :,.?") for t in english.values() for p in re.split(r"%\d", t)}
        # The model's own names (its parameters, its display name) are English data.
        with open(os.path.join(bin_dir, "HD40.prm"), encoding="utf-8") as prm, \
                open(os.path.join(bin_dir, "HD40.tbl"), encoding="utf-8") as tbl:
            names = re.findall(r"^\{([^,]+),", prm.read(), re.M) + \
                re.findall(r'^"[^"]*","[^"]*","([^"]+)"', tbl.read(), re.M)
        names += [re.sub(r"[^A-Za-z0-9]", "-", n) for n in names]  # in Save's proposed name
        self.model_names = sorted(names, key=len, reverse=True)
        self.heard = 0
        self.english_only = [re.compile(r"\b%s\b" % re.escape(p)) for p in pieces
                             if lang and len(p) > 1 and not re.search(r"\b%s\b" % re.escape(p),
                                                                      german)]

    def say(self, number, *values):
        key = ("[Pyrona]", number if number == "Title" else "%03d" % number)
        text = self.texts[key]
        for i, value in enumerate(values, 1):
            text = text.replace("%%%d" % i, str(value))
        return text

    def check(self, texts):
        for text in texts:
            self.heard += bool(text)
            for name in self.model_names:
                text = text.replace(name, "")
            for piece in self.english_only:
                if piece.search(text):
                    fail("English text under a German locale: %r" % text)


def main(bin_dir, *modes):
    work = tempfile.mkdtemp()
    program, config, run = (os.path.join(work, d) for d in ("program", "config/VEXA", "run"))
    for folder in (program, config, run):
        os.makedirs(folder, mode=0o700)
    for name in os.listdir(bin_dir):
        if name == "vexa" or name.rsplit(".", 1)[-1] in ("cap", "scp", "tbl", "prm", "bmp"):
            shutil.copy2(os.path.join(bin_dir, name), program)
    line, dumps = os.path.join(work, "line"), os.path.join(work, "dumps")
    sim = subprocess.Popen([os.path.join(bin_dir, "vexa-sim"), "--profile",
                            os.path.join(bin_dir, "HD40.sim"), "--link", line,
                            "--memory-dump", dumps], stdout=subprocess.DEVNULL)
    wait_for("the simulator made no line", lambda: os.path.exists(line), 5)
    with open(os.path.join(config, "VEXA.ini"), "w") as ini:
        ini.write("[CommunicationSettings]\nPort=%s\nUnit=1\n" % line)
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               XDG_RUNTIME_DIR=run, XDG_CONFIG_HOME=os.path.join(work, "config"), HOME=work)
    # A sanitized build: what the X platform's libraries keep is not vexa's leak.
    env["LSAN_OPTIONS"] = "suppressions=%s" % os.path.join(os.path.dirname(__file__),
                                                           "xcb_lsan.supp")
    if "de" in modes:
        env["LC_ALL"] = "de_DE.UTF-8"
    others = [sim]
    if "job" in modes or "fit" in modes:
        # A window manager gives each new window the keyboard, as on a desktop; Super+Up
        # maximises, as on many.
        ready = os.path.join(work, "wm-ready")
        rc = os.path.join(work, "openbox.xml")
        with open(rc, "w") as config_file:
            config_file.write('<openbox_config xmlns="http://openbox.org/3.4/rc"><keyboard>'
                              '<keybind key="W-Up"><action name="ToggleMaximize"/></keybind>'
                              '</keyboard></openbox_config>')
        others.append(subprocess.Popen(["openbox", "--sm-disable", "--config-file", rc,
                                        "--startup", "touch " + ready],
                                       env=dict(env, LC_ALL="C.UTF-8"),
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for("openbox did not start", lambda: os.path.exists(ready), 10)
    # The registry up before the program starts, so that the program finds it and registers.
    pyatspi.Registry.getDesktop(0).childCount
    start = lambda: subprocess.Popen([os.path.join(program, "vexa")], env=env)
    vexa = start()
    try:
        if "job" in modes:
            job(vexa, work, Words(bin_dir, "de" in modes))
        elif "fit" in modes:
            vexa = fit(vexa, start)
        else:
            check(vexa)
    finally:
        for process in [vexa] + others:
            process.kill()
            process.wait()
        shutil.rmtree(work, ignore_errors=True)


def key(keys):
    window_id = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                "^VEXA Controller Setup$"], capture_output=True, text=True,
                               timeout=20).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window_id, "key", keys], check=True)


def check(vexa):
    main_window = wait_for("no main window", window(lambda w: by_name(w, "push button", "Link")))
    for node in nodes(main_window):
        if node.getRoleName() in NAMED_ROLES and not node.name:
            fail("a %s without a name" % node.getRoleName())
    for name in BUTTONS:
        if not by_name(main_window, "push button", name):
            fail("no push button \"%s\"" % name)
    # Qt 6.4's bridge sends no "checkable" state: an unlinked Link is a plain push button.
    if states(by_name(main_window, "push button", "Link")).contains(pyatspi.STATE_CHECKED):
        fail("Link is checked before it linked")
    for lamp in ("TX", "RX", "ERR"):
        node = by_name(main_window, "label", lamp)
        if not node or node.description != "off":
            fail("lamp %s does not say it is off" % lamp)

    key("ctrl+p")
    port = wait_for("no port dialog",
                    window(lambda w: any(n.getRoleName() == "combo box" for n in nodes(w))))
    for node in nodes(port):
        if node.getRoleName() in NAMED_ROLES and not node.name:
            fail("a %s without a name in the port dialog, in %s %r" % (
                node.getRoleName(), node.parent.getRoleName(), node.parent.name))
    for combo in (n for n in nodes(port) if n.getRoleName() == "combo box"):
        labels = [r for r in combo.getRelationSet()
                  if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]
        if not labels or not labels[0].getTarget(0).name:
            fail("a port field without a label: %r" % combo.name)
    # Closed through its Cancel button's press action, as a screen reader would press it.
    cancel = by_name(port, "push button", "Cancel")
    if not cancel:
        fail("the port dialog has no Cancel push button")
    cancel.queryAction().doAction(0)
    wait_for("the port dialog stayed", lambda: port.getState().contains(pyatspi.STATE_DEFUNCT) or
             not port.getState().contains(pyatspi.STATE_VISIBLE), 5)

    # The About window with the list of keys: its controls named too, Escape closes it.
    key("F1")
    about = wait_for("no About window", window(lambda w: w.name != main_window.name))
    for node in nodes(about):
        if node.getRoleName() in NAMED_ROLES and not node.name:
            fail("a %s without a name in the About window" % node.getRoleName())
    subprocess.run(["xdotool", "key", "Escape"], check=True)
    wait_for("the About window stayed", lambda: about.getState().contains(pyatspi.STATE_DEFUNCT)
             or not about.getState().contains(pyatspi.STATE_VISIBLE), 5)

    key("ctrl+l")
    unlink = wait_for("Link never became Unlink",
                      lambda: by_name(main_window, "push button", "Unlink"))
    if not (states(unlink).contains(pyatspi.STATE_CHECKED) and
            states(unlink).contains(pyatspi.STATE_PRESSED)):
        fail("Unlink is not checked and pressed")
    if vexa.poll() is not None:
        fail("vexa ended")
    print("AT-SPI check: roles, names, states and labels as a screen reader hears them")


def text_of(node):
    return node.queryText().getText(0, -1)


def showing(root):
    for child in root:
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            yield child
            yield from showing(child)


def job(vexa, work, words):
    title = words.say("Title")
    main_window = wait_for("no main window", window(lambda w: w.name == title))
    named = lambda role, number: wait_for("no %s %r" % (role, words.say(number)),
                                          lambda: by_name(main_window, role, words.say(number)))
    current, read, status = (named("text", n) for n in (509, 510, 514))
    link, write = named("push button", 522), named("check box", 531)

    def unit():
        with open(os.path.join(work, "dumps", "unit01.mem")) as dump:
            return dict(line.split("=", 1) for line in dump.read().splitlines() if "=" in line)

    def vexa_windows():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "vexa":
                yield from (w for w in app if w is not None)

    def focus():
        """The active vexa window and its innermost focused control."""
        for w in vexa_windows():
            if w.getState().contains(pyatspi.STATE_ACTIVE):
                inner = [n for n in showing(w) if n.getState().contains(pyatspi.STATE_FOCUSED)]
                return w, inner[-1] if inner else None
        return None, None

    def x_focus_in_vexa():
        pid = subprocess.run(["xdotool", "getwindowfocus", "getwindowpid"], capture_output=True,
                             text=True).stdout.strip()
        return pid == str(vexa.pid)

    def step(keys, what, done, role, number=None, in_main=True):
        """Presses the keys, then waits until done() and the keyboard is on a control (of this
        role and name) in the main window or, with in_main False, in another."""
        for keys_or_text in keys:
            command = ["type", "--", keys_or_text[1:]] if keys_or_text[0] == "=" else \
                ["key"] + keys_or_text.split()
            subprocess.run(["xdotool"] + command, check=True)
        w = node = None
        # Three looks in a row, so that a window that opens after the action and takes the
        # keyboard is seen.
        seen = 0
        for _ in range(200):
            try:
                w, node = focus()
                seen = seen + 1 if (node is not None and x_focus_in_vexa() and
                                    role in (None, node.getRoleName()) and
                                    (number is None or node.name == words.say(number)) and
                                    (w == main_window) == in_main and done()) else 0
                if seen == 3:
                    shown = [n for w in vexa_windows() for n in showing(w)]
                    words.check([t for n in shown for t in (
                        n.name, n.description, text_of(n) if n.getRoleName() == "text" else "")])
                    unnamed = [n.getRoleName() for n in shown
                               if n.getRoleName() in NAMED_ROLES and not n.name]
                    if unnamed:
                        fail("%s: a %s without a name" % (what, unnamed[0]))
                    return node
            except (GLib.Error, KeyError):
                seen = 0  # a window went, or the simulator rewrote its state, while read
            time.sleep(0.1)
        fail("%s: the keyboard is on %s %r in %r, the status line says %r" % (
            what, node and node.getRoleName(), node and node.name, w and w.name,
            status.description))

    def file_dialog(keys, name, what, button, done):
        field = step(keys, what + ": no file dialog", lambda: True, "text", in_main=False)
        # Return only once the name is in: the completer must not take it.
        step(["ctrl+a", "=" + name], what + ": the file name", lambda: text_of(field) == name,
             "text", in_main=False)
        step(["Return"], what, done, "push button", button)

    # The key list and the port dialog, and back; the port is set only while unlinked.
    step(["F1"], "the key list", lambda: True, None, in_main=False)
    step(["Escape"], "back from the key list", lambda: True, None)
    step(["ctrl+p"], "the port dialog", lambda: True, None, in_main=False)
    step(["Escape"], "back from the port dialog", lambda: True, None)
    # Link; the first parameter is display-only, so the keyboard stays on Unlink.
    step(["ctrl+l"], "Link", lambda: link.name == words.say(530), "push button", 530)
    step(["Down"], "a step", lambda: text_of(current) == "Set point", "text", 511)
    step(["=123.4", "Return"], "a write", lambda: unit()["2"] == "1234" and
         text_of(read) == "123.4", "text", 511)
    # A value out of range stays unwritten; the engine's reason is worded by the catalogue.
    step(["=99999999999", "Return"], "a refused value",
         lambda: words.say(797, "") in status.description, "text", 511)
    # The side panel's list to the first parameter that needs write mode, Escape back.
    step(["F9"], "the side panel", lambda: True, "table cell", in_main=False)
    step(["=Input", "Down Down Down Down"], "the side panel's rows",
         lambda: focus()[1].name == "Input type", "table cell", in_main=False)
    step(["Return"], "a side panel row", lambda: text_of(current) == "Input type",
         "table cell", in_main=False)
    step(["Escape"], "back from the side panel", lambda: True, "check box", 531)
    step(["F9"], "the side panel closed", lambda: not any(
        w.name.startswith(words.say(517)) for w in vexa_windows()
        if w.getState().contains(pyatspi.STATE_SHOWING)), "check box", 531)
    # The write-mode question: Return alone answers Cancel.
    step(["alt+w"], "the write-mode question", lambda: True, "push button", 203, in_main=False)
    step(["Return"], "the write-mode question's Return",
         lambda: not write.getState().contains(pyatspi.STATE_CHECKED), "check box", 531)
    if unit().get("write_mode") != "off":
        fail("Return in the write-mode question put the controller into write mode")
    step(["alt+w"], "the write-mode question again", lambda: True, "push button", 203,
         in_main=False)
    step(["shift+Tab"], "the question's OK", lambda: True, "push button", 202, in_main=False)
    step(["Return"], "write mode", lambda: unit()["write_mode"] == "on" and
         write.getState().contains(pyatspi.STATE_CHECKED), "text", 511)
    step(["=3", "Return"], "a write in write mode", lambda: unit()["31"] == "3", "text", 511)

    step(["ctrl+2"], "the clone view", lambda: True, "radio button", 501)
    # The side panel opens after the upload, without taking the keyboard.
    step(["ctrl+u"], "Upload", lambda: words.say(610, 31) in status.description and any(
        w.name.startswith(words.say(517)) and w.getState().contains(pyatspi.STATE_SHOWING)
        for w in vexa_windows()), "push button", 528)
    file_dialog(["ctrl+s"], "job.tmf", "Save", 525,
                lambda: os.path.exists(os.path.join(work, "job.tmf")))
    step(["ctrl+d"], "the unit number", lambda: True, "text", in_main=False)
    step(["Return"], "Download", lambda: words.say(612, 31) in status.description, "push button",
         527)
    # The controller's set point no longer that of the file.
    step(["ctrl+1"], "the setting view", lambda: True, "radio button", 500)
    step(["Down"], "a step", lambda: text_of(current) == "Set point", "text", 511)
    step(["=99.9", "Return"], "a write", lambda: unit()["2"] == "999", "text", 511)
    step(["ctrl+2"], "the clone view", lambda: True, "radio button", 501)
    file_dialog(["ctrl+o"], "job.tmf", "Open", 526, lambda: "job.tmf" in status.description)
    # The results window opens without taking the keyboard.
    step(["ctrl+k"], "Verify", lambda: words.say(613, 1) in status.description and any(
        w.name == words.say(454) for w in vexa_windows()), "push button", 529)
    file_dialog(["ctrl+e"], "job.csv", "Export", 524,
                lambda: os.path.exists(os.path.join(work, "job.csv")))

    subprocess.run(["xdotool", "key", "ctrl+q"], check=True)
    if vexa.wait(timeout=20) != 0:
        fail("vexa ended with exit code %d" % vexa.returncode)
    state = unit()
    if state.get("run") != "running" or state.get("write_mode") != "off":
        fail("the unit was left %s, write mode %s" % (state.get("run"), state.get("write_mode")))
    with open(os.path.join(work, "job.csv"), encoding="utf-8") as csv:
        if "2,Set point,123.4\n" not in csv.read():
            fail("the CSV does not hold the uploaded set point")
    if words.english_only and words.heard < 1000:
        fail("too little was heard: %d texts" % words.heard)
    print("AT-SPI check: a whole job by keyboard alone, the keyboard always where the work is")


def fit(vexa, start):
    """Maximise, side panel open and closed, quit and start again: all on the screen."""
    width, height = map(int, subprocess.run(["xdotool", "getdisplaygeometry"], check=True,
                                            capture_output=True, text=True).stdout.split())

    def extents(node):
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.x + e.width, e.y + e.height

    def main_window():
        return wait_for("no main window", window(lambda w: by_name(w, "push button", "Link")))

    def maximised():
        left, top, right, bottom = extents(main_window())
        return right - left >= width * 0.9 and bottom - top >= height * 0.8

    def all_on_screen(what):
        for w in (w for app in pyatspi.Registry.getDesktop(0) if app and app.name == "vexa"
                  for w in app if w and w.getState().contains(pyatspi.STATE_SHOWING)):
            for node in [w] + list(showing(w)):
                try:
                    left, top, right, bottom = extents(node)
                except NotImplementedError:
                    continue  # a node without a place of its own
                if left < 0 or top < 0 or right > width or bottom > height:
                    fail("%s: %s %r is off the screen at %r" % (
                        what, node.getRoleName(), node.name, extents(node)))

    def panel_open():
        return any(n.getRoleName() == "table" for w in (
            w for app in pyatspi.Registry.getDesktop(0) if app and app.name == "vexa"
            for w in app if w and w.getState().contains(pyatspi.STATE_SHOWING))
            for n in showing(w))

    main_window()
    key("super+Up")
    wait_for("Super+Up did not maximise the window", maximised, 10)
    for run in ("maximised", "started again"):
        all_on_screen(run)
        key("F9")
        wait_for("%s: F9 opened no side panel" % run, panel_open, 10)
        time.sleep(1)  # the panel slides out
        all_on_screen("%s, the side panel open" % run)
        key("F9")
        wait_for("%s: F9 did not close the side panel" % run, lambda: not panel_open(), 10)
        wait_for("%s: the window is not maximised again after the side panel" % run,
                 maximised, 10)
        all_on_screen("%s, the side panel closed" % run)
        key("ctrl+q")
        if vexa.wait(timeout=20) != 0:
            fail("vexa ended with exit code %d" % vexa.returncode)
        if run == "maximised":
            vexa = start()
            wait_for("started again, the window is not maximised", maximised, 20)
    print("AT-SPI check: maximised, with and without the side panel, and started again")
    return vexa


if __name__ == "__main__":
    main(*sys.argv[1:])

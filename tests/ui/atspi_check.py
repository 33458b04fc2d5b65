#!/usr/bin/python3
# What a screen reader hears from the real vexa, through AT-SPI (ctest runs this under
# xvfb-run and dbus-run-session): the ten bitmap buttons are push buttons, Link a checkable one
# that is checked once linked to a simulated HD40; the lamps are labels whose description is
# their state; every control has a name; the port dialog's fields are labelled.  With "de", the
# same window under a German locale: no name or description is a text of the English catalogue
# alone.
# Usage: atspi_check.py BIN_DIR [de]
import os, shutil, subprocess, sys, tempfile, time

import pyatspi

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


def catalogue_texts(path):
    with open(path, encoding="utf-8") as f:
        return {line.split("=", 1)[1].strip() for line in f
                if "=" in line and line[:3].isdigit()}


def check_german(bin_dir):
    main_window = wait_for("no main window", window(lambda w: any(
        n.getRoleName() == "push button" for n in nodes(w))))
    english = (catalogue_texts(os.path.join(bin_dir, "VEXA.cap")) -
               catalogue_texts(os.path.join(bin_dir, "VEXA.de.cap")))
    heard = 0
    for node in nodes(main_window):
        for text in (node.name, node.description):
            if text in english:
                fail("English text under a German locale: %r" % text)
            heard += bool(text)
    if heard < 20:
        fail("too little was heard: %d texts" % heard)
    print("AT-SPI check: %d texts, none of them English only" % heard)


def main(bin_dir, lang=None):
    work = tempfile.mkdtemp()
    program, config, run = (os.path.join(work, d) for d in ("program", "config/VEXA", "run"))
    for folder in (program, config, run):
        os.makedirs(folder, mode=0o700)
    for name in os.listdir(bin_dir):
        if name == "vexa" or name.rsplit(".", 1)[-1] in ("cap", "scp", "tbl", "prm", "bmp"):
            shutil.copy2(os.path.join(bin_dir, name), program)
    line = os.path.join(work, "line")
    sim = subprocess.Popen([os.path.join(bin_dir, "vexa-sim"), "--profile",
                            os.path.join(bin_dir, "HD40.sim"), "--link", line],
                           stdout=subprocess.DEVNULL)
    wait_for("the simulator made no line", lambda: os.path.exists(line), 5)
    with open(os.path.join(config, "VEXA.ini"), "w") as ini:
        ini.write("[CommunicationSettings]\nPort=%s\nUnit=1\n" % line)
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               XDG_RUNTIME_DIR=run, XDG_CONFIG_HOME=os.path.join(work, "config"), HOME=work)
    if lang == "de":
        env["LC_ALL"] = "de_DE.UTF-8"
    # The registry up before the program starts, so that the program finds it and registers.
    pyatspi.Registry.getDesktop(0).childCount
    vexa = subprocess.Popen([os.path.join(program, "vexa")], env=env)
    try:
        check_german(bin_dir) if lang == "de" else check(vexa)
    finally:
        vexa.kill()
        sim.kill()
        vexa.wait()
        sim.wait()
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

    key("ctrl+l")
    unlink = wait_for("Link never became Unlink",
                      lambda: by_name(main_window, "push button", "Unlink"))
    if not (states(unlink).contains(pyatspi.STATE_CHECKED) and
            states(unlink).contains(pyatspi.STATE_PRESSED)):
        fail("Unlink is not checked and pressed")
    if vexa.poll() is not None:
        fail("vexa ended")
    print("AT-SPI check: roles, names, states and labels as a screen reader hears them")


if __name__ == "__main__":
    main(*sys.argv[1:3])

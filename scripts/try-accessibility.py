#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
"""Drives the real window through the desktop's accessibility interface
(AT-SPI), as a screen reader or a UI test tool does, and prints what it hears.

    dbus-run-session -- /usr/bin/python3 scripts/try-accessibility.py [PROGRAM]

PROGRAM defaults to build/dev/src/app/qvdtalvern. Without a DISPLAY the
script starts Xvfb; it starts the AT-SPI bus, runs the program with Qt's
accessibility on, and checks: the introduction's name, the option buttons'
role, Return on "Click to Continue", the Toggle action of an option button,
and a bar's value set through the Value interface. Exits 1 if a check fails.
Needs Debian's python3-pyatspi, at-spi2-core, xvfb and xdotool.
"""

import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
failures = []


def check(what, ok, heard):
    print(f"{'ok  ' if ok else 'FAIL'} {what}: {heard}")
    if not ok:
        failures.append(what)


def start_session(program):
    children = []
    env = dict(os.environ)
    if "DISPLAY" not in env:
        env["DISPLAY"] = ":87"
        children.append(subprocess.Popen(["Xvfb", env["DISPLAY"], "-screen", "0", "1024x768x24", "-nolisten", "tcp"]))
        time.sleep(1)
    os.environ["DISPLAY"] = env["DISPLAY"]
    children.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env))
    time.sleep(1)
    env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", QT_QPA_PLATFORM="xcb")
    children.append(subprocess.Popen([program], env=env))
    return children


def main():
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        sys.exit("run it inside a D-Bus session: dbus-run-session -- /usr/bin/python3 " + sys.argv[0])
    program = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build/dev/src/app/qvdtalvern")
    children = start_session(program)
    try:
        run_checks()
    finally:
        for child in reversed(children):
            child.terminate()
            child.wait()
    print("all five points hold" if not failures else f"{len(failures)} check(s) failed")
    sys.exit(1 if failures else 0)


def run_checks():
    import pyatspi

    def window():
        for _ in range(50):
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.name.startswith("qvdtalvern"):
                    for top in app:
                        if top is not None and top.name == "QVD and TALVERN SERIES":
                            return top
            time.sleep(0.2)
        sys.exit("the window never appeared on the AT-SPI bus")

    top = window()

    option_roles = (pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_CHECK_BOX)

    def find(name, roles):
        found = pyatspi.findAllDescendants(top, lambda a: a.name == name and a.getRole() in roles)
        if not found:
            raise LookupError(f"nothing named {name!r}")
        return found[0]

    def text(label):
        try:
            return label.queryText().getText(0, -1)
        except NotImplementedError:  # a label without the Text interface
            return label.description

    def states(acc):
        state = acc.getState()
        return {n for n, s in (("checked", pyatspi.STATE_CHECKED), ("showing", pyatspi.STATE_SHOWING),
                               ("enabled", pyatspi.STATE_ENABLED)) if state.contains(s)}

    def do_action(acc, name):
        action = acc.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        action.doAction(names.index(name))
        time.sleep(0.3)
        return names

    def settle():
        time.sleep(0.4)

    designs = ["Frame", "Option", "Label", "HSBM", "hsbM1", "Command1", "hig", "vert"]
    everything = pyatspi.findAllDescendants(top, lambda a: True)
    spoken = [a.name for a in everything] + [a.description for a in everything]
    leaks = sorted({s for s in spoken if any(w.startswith(d) and (w == d or w[len(d):].isdigit())
                                            for w in s.replace(",", " ").split() for d in designs)})
    check("no design name in any name or description", not leaks, f"{len(everything)} objects, leaks {leaks}")

    # 4. The introduction frame.
    button = find("Click to Continue", (pyatspi.ROLE_PUSH_BUTTON,))
    intro = button.parent
    check("4. introduction named in words", intro.name == "Introduction",
          f"the frame of Click to Continue is named {intro.name!r}")

    # 3. Option buttons.
    options = pyatspi.findAllDescendants(top, lambda a: a.getRole() in option_roles)
    roles = {a.name: a.getRoleName() for a in options}
    check("3. option buttons are radio buttons", len(roles) == 5 and set(roles.values()) == {"radio button"}, roles)

    # 5. Return on the focused "Click to Continue".
    # Xvfb has no window manager to give the new window the keyboard focus.
    subprocess.run(["xdotool", "search", "--name", "QVD and TALVERN SERIES", "windowfocus", "--sync"], check=True)
    settle()
    focused = pyatspi.STATE_FOCUSED in button.getState().getStates()
    subprocess.run(["xdotool", "key", "Return"], check=True)
    settle()
    check("5. Return presses the focused Click to Continue",
          focused and "showing" not in states(intro), f"focused before: {focused}, introduction now {states(intro)}")
    if "showing" in states(intro):  # go on, so that the checks below test their own point
        do_action(button, "Press")

    # 2. Toggle on Width and on Centimetres.
    width_option = find("Width", option_roles)
    names = do_action(width_option, "Toggle")
    width_bar = find("Width", (pyatspi.ROLE_SCROLL_BAR,))
    check("2. Toggle on Width shows the width bar",
          "checked" in states(width_option) and "showing" in states(width_bar),
          f"actions {names}; Width {states(width_option)}; width bar {states(width_bar)}")
    inches = find("Inches", option_roles)
    centimetres = find("Centimetres", option_roles)
    do_action(centimetres, "Toggle")
    check("2. Toggle on Centimetres clears Inches",
          "checked" in states(centimetres) and "checked" not in states(inches),
          f"Inches {states(inches)}; Centimetres {states(centimetres)}")
    do_action(inches, "Toggle")

    # 1. The angle bar's and the width bar's Value.
    angle_bar = find("Projection angle", (pyatspi.ROLE_SCROLL_BAR,))
    angle = find("Projection angle", (pyatspi.ROLE_LABEL,))
    ulmo = find("Ulmo, throw distance", (pyatspi.ROLE_LABEL,))
    before = text(ulmo)
    angle_bar.queryValue().currentValue = -5
    settle()
    value = angle_bar.queryValue()
    check("1. angle Value -5 reaches the model",
          value.currentValue == -5 and text(angle) == "-5" and text(ulmo) != before,
          f"bar {value.currentValue:g} ({value.minimumValue:g}..{value.maximumValue:g}), caption {text(angle)!r}, "
          f"Ulmo throw {before} -> {text(ulmo)}")
    width_values = [a for a in pyatspi.findAllDescendants(top, lambda a: a.name == "Width"
                                                          and a.getRole() == pyatspi.ROLE_LABEL)]
    width_bar.queryValue().currentValue = 150
    settle()
    shown = [text(a) for a in width_values]
    value = width_bar.queryValue()
    check("1. width Value 150 reaches the model", value.currentValue == 150 and "150" in shown,
          f"bar {value.currentValue:g} ({value.minimumValue:g}..{value.maximumValue:g}), Width labels {shown}, "
          f"Ulmo throw {text(ulmo)}")


if __name__ == "__main__":
    main()

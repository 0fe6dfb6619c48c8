#!/usr/bin/env python3
"""End-to-end tests of the window program on a real X11 desktop.

Each case starts its own Xvfb (on a free display number that Xvfb picks itself),
openbox and the program from the program folder, drives it through the real X11
clipboard (xclip) and real input (xdotool), and stops every process it started by
its process id. Every wait is bounded; a failure says what was expected and seen.

    e2e_driver.py --program-dir DIR [--launcher PATH] --artefacts DIR CASE
"""

import argparse
import ctypes
import os
import re
import select
import signal
import subprocess
import sys
import tempfile
import time

TITLE = "VU+ZIRI ZE"
DIALOG_TITLE = "バージョン情報"
SCREEN_SIZE = (1024, 768)
TICK = 0.5  # the watcher's interval, seconds

# The first setting of the default QX.ini; the expected markup below is made with it.
STANDARD_LINE = "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0"


def font_tags(pairs):
    """Markup of a text with SizeMode 0: one colour tag per character, then CR LF."""
    return "".join(f'<FONT COLOR="{colour}">{ch}</FONT>' for colour, ch in pairs) + "\r\n"


# From (0, 128, 255) to (255, 128, 0): three and four characters.
THREE = ("#0080AA", "#558055", "#AA8000")
FOUR = ("#0080BF", "#408080", "#808040", "#BF8000")
MARKUP_ABC = font_tags(zip(THREE, "abc"))
MARKUP_GT_ABC = font_tags(zip(FOUR, ">abc"))
MARKUP_AIU = font_tags(zip(THREE, "あいう"))


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(probe, timeout, interval=0.05):
    """Polls probe() until it returns a true value or `timeout` seconds have passed;
    returns (ok, last value)."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return True, value
        if time.monotonic() >= deadline:
            return False, value
        time.sleep(interval)


_libc = ctypes.CDLL(None, use_errno=True)


def _end_with_driver():
    # PR_SET_PDEATHSIG: a child gets SIGTERM when the driver dies, even when killed.
    _libc.prctl(1, signal.SIGTERM)


class Desktop:
    """Xvfb, openbox and the processes started on them; stop() ends them all."""

    def __init__(self, artefacts):
        self.processes = []  # (name, Popen), in start order
        self.artefacts = artefacts
        self.tmp = tempfile.TemporaryDirectory(prefix="gradation-e2e-")
        self.env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER"):
            self.env.pop(name, None)
        runtime = os.path.join(self.tmp.name, "runtime")
        os.mkdir(runtime, 0o700)
        self.env.update(XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb", HOME=self.tmp.name)

    def start(self, name, argv, **kwargs):
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(argv, env=self.env, cwd=self.tmp.name, preexec_fn=_end_with_driver, **kwargs)
        self.processes.append((name, process))
        return process

    def stop(self):
        for _, process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=3)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait(timeout=3)
        self.processes.clear()
        self.tmp.cleanup()

    def up(self):
        read_end, write_end = os.pipe()
        self.start("Xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                            f"{SCREEN_SIZE[0]}x{SCREEN_SIZE[1]}x24", "-nolisten", "tcp", "-noreset"],
                   pass_fds=(write_end,))
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 15
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            ready, _, _ = select.select([read_end], [], [], 0.2)
            if ready:
                chunk = os.read(read_end, 16)
                if not chunk:
                    break
                number += chunk
        os.close(read_end)
        check(number.strip().isdigit(), "Xvfb did not report a display number within 15 s")
        self.env["DISPLAY"] = ":" + number.strip().decode()

        self.start("openbox", ["openbox", "--sm-disable"])
        ok, _ = wait_for(lambda: "window id" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]), 15)
        check(ok, "openbox did not start managing the display within 15 s")

    def run(self, argv, timeout=5, data=None):
        """Runs a short command on the display; its standard output, or "" on failure."""
        try:
            done = subprocess.run(argv, env=self.env, input=data, capture_output=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            return ""
        return done.stdout.decode("utf-8", "replace") if done.returncode == 0 else ""

    # --- the clipboard ---

    def copy(self, text):
        """Puts `text` on the clipboard, as a program that copied it; returns once it is there."""
        log = os.path.join(self.tmp.name, f"xclip-{len(self.processes)}.log")
        with open(log, "wb") as err:
            process = self.start("xclip", ["xclip", "-selection", "clipboard", "-quiet", "-i"],
                                 stdin=subprocess.PIPE, stderr=err)
        process.stdin.write(text.encode("utf-8"))
        process.stdin.close()

        def owns():
            with open(log, "rb") as f:
                return b"Waiting for selection requests" in f.read()
        ok, _ = wait_for(owns, 5, 0.01)
        check(ok, f"xclip did not take the clipboard for {text!r} within 5 s")

    def paste(self):
        """The clipboard's text; None when it cannot be read as text."""
        try:
            done = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.env,
                                  capture_output=True, timeout=3)
        except subprocess.TimeoutExpired:
            return None
        return done.stdout.decode("utf-8", "replace") if done.returncode == 0 else None

    def expect_clipboard(self, expected, timeout, why):
        start = time.monotonic()
        seen = []
        ok, _ = wait_for(lambda: seen.append(self.paste()) or seen[-1] == expected, timeout)
        check(ok, f"{why}: expected {expected!r} on the clipboard within {timeout} s, "
                  f"last saw {seen[-1] if seen else None!r}")
        return time.monotonic() - start

    def expect_clipboard_stays(self, expected, duration, why):
        deadline = time.monotonic() + duration
        while time.monotonic() < deadline:
            seen = self.paste()
            check(seen == expected, f"{why}: the clipboard changed from {expected!r} to {seen!r}")
            time.sleep(0.1)

    # --- windows ---

    def find_window(self, pid, title, timeout=10):
        pattern = "^" + re.escape(title) + "$"
        ok, found = wait_for(lambda: self.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
                                               "--name", pattern]).split(), timeout, 0.1)
        check(ok, f"no visible window {title!r} of process {pid} within {timeout} s")
        return found[0]

    def window_gone(self, window):
        return "IsViewable" not in self.run(["xwininfo", "-id", window])

    def outer(self, window):
        """The window's outer rectangle (x, y, width, height), frame and title bar included."""
        info = self.run(["xwininfo", "-id", window])
        values = {k: int(v) for k, v in re.findall(r"^\s*(Absolute upper-left [XY]|Width|Height):\s*(-?\d+)",
                                                    info, re.M)}
        check(len(values) == 4, f"xwininfo gave no geometry for window {window}")
        ok, extents = wait_for(lambda: re.findall(r"-?\d+", self.run(["xprop", "-id", window,
                                                                      "_NET_FRAME_EXTENTS"])), 5)
        check(ok, f"window {window} got no _NET_FRAME_EXTENTS within 5 s")
        left, right, top, bottom = (int(v) for v in extents[-4:])
        return (values["Absolute upper-left X"] - left, values["Absolute upper-left Y"] - top,
                values["Width"] + left + right, values["Height"] + top + bottom)

    def client_size(self, window):
        info = self.run(["xwininfo", "-id", window])
        return (int(re.search(r"Width:\s*(\d+)", info).group(1)), int(re.search(r"Height:\s*(\d+)", info).group(1)))

    def states(self, window):
        return set(re.findall(r"_NET_WM_STATE_\w+", self.run(["xprop", "-id", window, "_NET_WM_STATE"])))

    def work_area(self):
        numbers = [int(v) for v in re.findall(r"\d+", self.run(["xprop", "-root", "_NET_WORKAREA"]))]
        return tuple(numbers[:4]) if len(numbers) >= 4 else (0, 0) + SCREEN_SIZE

    def stacking(self):
        """The managed windows' ids, bottom to top."""
        listed = self.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"])
        return [int(v, 16) for v in re.findall(r"0x[0-9a-fA-F]+", listed)]

    def activate(self, window):
        self.run(["xdotool", "windowactivate", window])
        ok, active = wait_for(lambda: self.run(["xdotool", "getactivewindow"]).strip() == window, 5)
        check(ok, f"window {window} did not become the active window within 5 s")

    def keys(self, *keys):
        for key in keys:
            self.run(["xdotool", "key", key])
            time.sleep(0.15)  # let the menus open before the next key

    def screenshot(self, window, name):
        x, y, w, h = self.outer(window)
        path = os.path.join(self.artefacts, name)
        self.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", path], timeout=15)
        check(os.path.getsize(path) > 0 if os.path.exists(path) else False, f"no screenshot written to {path}")
        return path

    def client_pixels(self, window):
        """The window's client area as rows of (r, g, b), read from a PPM capture."""
        try:
            data = subprocess.run(["import", "-window", window, "-depth", "8", "ppm:-"], env=self.env, capture_output=True,
                                  timeout=15).stdout
        except subprocess.TimeoutExpired:
            data = b""
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
        check(header is not None and header.group(3) == b"255", f"no picture of window {window}")
        width, height = int(header.group(1)), int(header.group(2))
        body = data[header.end():]
        return [[tuple(body[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
                for y in range(height)]


class Program:
    def __init__(self, desktop, launcher):
        self.desktop = desktop
        self.process = desktop.start("gradation", [launcher])
        self.window = desktop.find_window(self.process.pid, TITLE)
        # The watcher starts right after the window is shown; give it its first tick.
        time.sleep(TICK)
        check(self.process.poll() is None, "the program ended right after start")

    def open_version_dialog(self):
        self.desktop.activate(self.window)
        self.desktop.keys("alt+v")
        dialog = self.desktop.find_window(self.process.pid, DIALOG_TITLE, timeout=5)
        ok, _ = wait_for(lambda: self.desktop.run(["xdotool", "getactivewindow"]).strip() == dialog, 5)
        check(ok, "the version dialog did not take the focus")
        return dialog


def check_default_setting(program_dir):
    with open(os.path.join(program_dir, "QX.ini"), "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("utf-8-sig")
    except UnicodeDecodeError:
        text = raw.decode("cp932")
    first = re.search(r"^\s*00\s*=\s*(.*?)\s*$", text, re.M)
    check(first is not None and first.group(1) == STANDARD_LINE,
          f"the first setting of {program_dir}/QX.ini is not {STANDARD_LINE!r}; the expected markup assumes it")


# --- cases ---

def case_watcher(desktop, launcher):
    Program(desktop, launcher)
    desktop.copy("abc")
    desktop.expect_clipboard_stays("abc", 4 * TICK, "abc is no trigger")
    for source, markup in ((">abc", MARKUP_ABC), (">>abc", MARKUP_GT_ABC), (">あいう", MARKUP_AIU)):
        desktop.copy(source)
        took = desktop.expect_clipboard(markup, 1.0, f"copying {source!r}")
        print(f"{source!r} converted after {took:.2f} s")
        desktop.expect_clipboard_stays(markup, 3 * TICK, f"the markup of {source!r} is no trigger")
    desktop.copy(">")
    desktop.expect_clipboard("", 1.0, "copying '>'")
    desktop.expect_clipboard_stays("", 3 * TICK, "the empty text left by '>'")


def case_keys(desktop, launcher):
    program = Program(desktop, launcher)
    desktop.copy("abc")
    desktop.activate(program.window)
    desktop.keys("Return")
    desktop.expect_clipboard(MARKUP_ABC, 3, "Enter on the main window")
    desktop.activate(program.window)
    desktop.keys("Escape")
    try:
        code = program.process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        raise Failure("Esc on the main window did not end the program within 5 s") from None
    check(code == 0, f"the program ended with exit status {code} after Esc")


def case_main_window(desktop, launcher):
    program = Program(desktop, launcher)
    window = program.window
    x, y, w, h = desktop.outer(window)
    centred = ((SCREEN_SIZE[0] - w) // 2, (SCREEN_SIZE[1] - h) // 2)
    check((x, y) == centred, f"the main window's outer frame {w}x{h} stands at {(x, y)}; "
                             f"centred on {SCREEN_SIZE[0]}x{SCREEN_SIZE[1]} it stands at {centred}")
    desktop.screenshot(window, "main_window.png")

    check("_NET_WM_STATE_ABOVE" in desktop.states(window), "the main window is not kept above after start")
    for choice, above in ((1, False), (2, True)):
        desktop.activate(window)
        desktop.keys("alt+f", "Return")  # 常に手前に表示 is the File menu's first item
        ok, _ = wait_for(lambda: ("_NET_WM_STATE_ABOVE" in desktop.states(window)) == above, 3)
        check(ok, f"after choice {choice} of 常に手前に表示 the window should {'' if above else 'not '}"
                  f"carry _NET_WM_STATE_ABOVE; its states are {sorted(desktop.states(window))}")
        check(desktop.outer(window)[:2] == (x, y), "switching always-on-top moved the window")


def label_text_rows(pixels):
    """Runs of rows of the version label (8, 96, 273 x 45 in the client) that hold navy text."""
    runs, start = [], None
    for row in range(96, 96 + 45):
        inked = any(b - r > 40 and b - g > 40 for r, g, b in pixels[row][8:8 + 273])
        if inked and start is None:
            start = row
        if not inked and start is not None:
            runs.append((start, row))
            start = None
    if start is not None:
        runs.append((start, 96 + 45))
    return runs


def case_version_dialog(desktop, launcher):
    program = Program(desktop, launcher)
    main_x, main_y, _, main_h = desktop.outer(program.window)
    dialog = program.open_version_dialog()

    check(desktop.client_size(dialog) == (290, 174),
          f"the dialog's client area is {desktop.client_size(dialog)}, not (290, 174)")
    x, y, _, _ = desktop.outer(dialog)
    check((x, y) == (main_x, main_y + main_h),
          f"the dialog's outer frame stands at {(x, y)}, not directly below the main window at "
          f"{(main_x, main_y + main_h)}")
    check("WM_TRANSIENT_FOR" in desktop.run(["xprop", "-id", dialog, "WM_TRANSIENT_FOR"]),
          "the dialog is not marked transient, so a taskbar would list it")
    runs = label_text_rows(desktop.client_pixels(dialog))
    check(len(runs) == 3, f"the version label shows {len(runs)} lines of navy text (rows {runs}), not 3")
    desktop.screenshot(dialog, "version_dialog.png")

    # Paused while open: a trigger waits, and Esc does not close the dialog.
    desktop.copy(">abc")
    desktop.keys("Escape")
    desktop.expect_clipboard_stays(">abc", 4 * TICK, "the watcher while the version dialog is open")
    check(not desktop.window_gone(dialog), "Esc closed the version dialog")

    desktop.keys("Return")
    ok, _ = wait_for(lambda: desktop.window_gone(dialog), 3)
    check(ok, "Enter did not close the version dialog within 3 s")
    desktop.expect_clipboard(MARKUP_ABC, 1.0, "the trigger copied while the dialog was open, after it closed")


def case_version_dialog_near_bottom(desktop, launcher):
    program = Program(desktop, launcher)
    area_x, area_y, area_w, area_h = desktop.work_area()
    desktop.run(["xdotool", "windowmove", program.window, "40", str(area_y + area_h - 140)])
    ok, _ = wait_for(lambda: desktop.outer(program.window)[1] > area_y + area_h - 200, 3)
    check(ok, "could not move the main window near the bottom of the screen")
    main_x, main_y, _, main_h = desktop.outer(program.window)
    dialog = program.open_version_dialog()

    x, y, w, h = desktop.outer(dialog)
    check(main_y + main_h + h > area_y + area_h, "precondition: the dialog would have fitted below the main window")
    check(area_x <= x and area_y <= y and x + w <= area_x + area_w and y + h <= area_y + area_h,
          f"the dialog {(x, y, w, h)} reaches outside the available area {(area_x, area_y, area_w, area_h)}")
    check(y + h == area_y + area_h, f"the dialog was not moved up just enough: its bottom is {y + h}, "
                                    f"the available area ends at {area_y + area_h}")
    check(x == main_x, f"the dialog's left edge {x} is not the main window's {main_x}")
    stack = desktop.stacking()  # bottom to top
    check(int(dialog) in stack and int(program.window) in stack and
          stack.index(int(dialog)) > stack.index(int(program.window)),
          "the dialog lies beneath the main window it overlaps")
    desktop.screenshot(dialog, "version_dialog_near_bottom.png")
    desktop.keys("Return")
    ok, _ = wait_for(lambda: desktop.window_gone(dialog), 3)
    check(ok, "Enter did not close the version dialog within 3 s")


def case_installed(desktop, launcher):
    Program(desktop, launcher)
    desktop.copy(">abc")
    desktop.expect_clipboard(MARKUP_ABC, 1.0, f"copying '>abc' with {launcher} running")


CASES = {
    "watcher": case_watcher,
    "keys": case_keys,
    "main_window": case_main_window,
    "version_dialog": case_version_dialog,
    "version_dialog_near_bottom": case_version_dialog_near_bottom,
    "installed": case_installed,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program-dir", required=True, help="folder with gradation and QX.ini")
    parser.add_argument("--launcher", help="what to start (default: gradation in the program folder)")
    parser.add_argument("--artefacts", required=True, help="folder for the screenshots")
    parser.add_argument("case", choices=sorted(CASES))
    args = parser.parse_args()
    args.program_dir = os.path.abspath(args.program_dir)
    args.artefacts = os.path.abspath(args.artefacts)
    launcher = os.path.abspath(args.launcher or os.path.join(args.program_dir, "gradation"))
    os.makedirs(args.artefacts, exist_ok=True)

    # CTest ends a test that runs too long with SIGTERM: stop our processes first.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("ended by SIGTERM"))
    desktop = Desktop(args.artefacts)
    try:
        check_default_setting(args.program_dir)
        desktop.up()
        CASES[args.case](desktop, launcher)
    except Failure as failure:
        print(f"FAIL ({args.case}): {failure}", file=sys.stderr)
        if "DISPLAY" in desktop.env:  # the whole screen as it was, for a person to look at
            shot = os.path.join(args.artefacts, f"failed_{args.case}.png")
            desktop.run(["import", "-window", "root", shot], timeout=15)
            print(f"screen at the failure: {shot}", file=sys.stderr)
        return 1
    finally:
        desktop.stop()
    print(f"PASS ({args.case})")
    return 0


if __name__ == "__main__":
    sys.exit(main())

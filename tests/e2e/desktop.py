"""A real X11 desktop for the end-to-end tests and the tools that measure the program.

Desktop starts its own Xvfb (on a free display number that Xvfb picks itself) and
openbox, starts processes on them, drives the X11 clipboard (xclip) and real input
(xdotool), and stops every process it started by its process id. Program is the
window program started on it. Every wait is bounded; a failure says what was
expected and seen. drive() runs one case on a fresh desktop and reports it.
"""

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


def short(data):
    """A clipboard content (text or bytes) for a message: itself when short."""
    if data is None:
        return "nothing (no owner or no text)"
    unit = "bytes" if isinstance(data, bytes) else "characters"
    return repr(data) if len(data) <= 200 else f"{len(data)} {unit} beginning {data[:40]!r}"


_libc = ctypes.CDLL(None, use_errno=True)


def _end_with_driver():
    # PR_SET_PDEATHSIG: a child gets SIGTERM when the driver dies, even when killed.
    _libc.prctl(1, signal.SIGTERM)


class Desktop:
    """Xvfb, openbox and the processes started on them; stop() ends them all."""

    def __init__(self, artefacts=None):
        self.processes = []  # (name, Popen), in start order
        self.artefacts = artefacts
        self.files = 0
        self.tmp = tempfile.TemporaryDirectory(prefix="gradation-e2e-")
        self.env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER"):
            self.env.pop(name, None)
        runtime = os.path.join(self.tmp.name, "runtime")
        os.mkdir(runtime, 0o700)
        # The program reads no user's or system-wide settings: its configuration folders are ours and empty.
        config = os.path.join(self.tmp.name, "config")
        os.mkdir(config)
        self.env.update(XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb", HOME=self.tmp.name, XDG_CONFIG_HOME=config,
                        XDG_CONFIG_DIRS=config)

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

    def write_file(self, data):
        """A new file in the desktop's temporary folder holding `data` (bytes); its path."""
        self.files += 1
        path = os.path.join(self.tmp.name, f"content-{self.files}")
        with open(path, "wb") as f:
            f.write(data)
        return path

    # --- the clipboard ---

    def copy(self, data, target=None):
        """Puts `data` (text, or bytes as they are) on the clipboard, as a program that
        copied it, optionally as the form `target`; returns the owning xclip, which can
        be killed, once it owns the clipboard."""
        if isinstance(data, str):
            data = data.encode("utf-8")
        log = os.path.join(self.tmp.name, f"xclip-{len(self.processes)}.log")
        argv = ["xclip", "-selection", "clipboard", "-quiet", "-i"] + (["-t", target] if target else [])
        with open(log, "wb") as err:
            process = self.start("xclip", argv + [self.write_file(data)], stderr=err)

        def owns():
            with open(log, "rb") as f:
                return b"Waiting for selection requests" in f.read()
        ok, _ = wait_for(owns, 10, 0.01)
        check(ok, f"xclip did not take the clipboard for {short(data)} within 10 s")
        return process

    def paste_bytes(self, target=None, timeout=15):
        """The clipboard's content as bytes; None when it has no owner or no such form."""
        argv = ["xclip", "-selection", "clipboard", "-o"] + (["-t", target] if target else [])
        try:
            done = subprocess.run(argv, env=self.env, capture_output=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        return done.stdout if done.returncode == 0 else None

    def paste(self):
        """The clipboard's text; None when it cannot be read as text."""
        data = self.paste_bytes(timeout=3)
        return None if data is None else data.decode("utf-8", "replace")

    def _reader(self, expected):
        """How to read the clipboard to compare it with `expected`: as bytes or as text."""
        return self.paste_bytes if isinstance(expected, bytes) else self.paste

    def expect_clipboard(self, expected, timeout, why):
        """Waits for `expected` (text or bytes) on the clipboard; returns how long it took."""
        start = time.monotonic()
        read = self._reader(expected)
        seen = []
        ok, _ = wait_for(lambda: seen.append(read()) or seen[-1] == expected, timeout)
        check(ok, f"{why}: expected {short(expected)} on the clipboard within {timeout} s, "
                  f"last saw {short(seen[-1] if seen else None)}")
        return time.monotonic() - start

    def expect_clipboard_stays(self, expected, duration, why):
        read = self._reader(expected)
        deadline = time.monotonic() + duration
        while time.monotonic() < deadline:
            seen = read()
            check(seen == expected, f"{why}: the clipboard changed from {short(expected)} to {short(seen)}")
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
        self.run(["xdotool", "windowactivate", "--sync", window])
        ok, _ = wait_for(lambda: self.run(["xdotool", "getactivewindow"]).strip() == window, 5)
        check(ok, f"window {window} did not become the active window within 5 s")

    def keys(self, *keys):
        for key in keys:
            self.run(["xdotool", "key", key])
            time.sleep(0.15)  # let the menus open before the next key

    def press(self, key, times, delay_ms):
        """Presses `key` `times` times in one go, `delay_ms` apart, on the active window."""
        self.run(["xdotool", "key", "--delay", str(delay_ms)] + [key] * times, timeout=30)

    # --- pictures ---

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
    """The window program started on a desktop, once its main window is visible."""

    def __init__(self, desktop, launcher, title=TITLE):
        self.desktop = desktop
        self.process = desktop.start("gradation", [launcher])
        self.window = desktop.find_window(self.process.pid, title)
        # The watcher starts right after the window is shown; give it its first tick.
        time.sleep(TICK)
        self.alive("right after start")

    def alive(self, why):
        check(self.process.poll() is None, f"the program ended ({why}), exit status {self.process.returncode}")

    def press_enter(self, times=1, delay_ms=12):
        """Enter on the main window, `times` times in one go."""
        self.desktop.activate(self.window)
        self.desktop.press("Return", times, delay_ms)

    def open_version_dialog(self):
        self.desktop.activate(self.window)
        self.desktop.keys("alt+v")
        dialog = self.desktop.find_window(self.process.pid, DIALOG_TITLE, timeout=5)
        ok, _ = wait_for(lambda: self.desktop.run(["xdotool", "getactivewindow"]).strip() == dialog, 5)
        check(ok, "the version dialog did not take the focus")
        return dialog


def drive(name, case, artefacts=None):
    """Runs case(desktop) on a fresh desktop, then stops everything it started.
    Prints PASS or FAIL with the reason (and, with `artefacts`, saves the whole
    screen at the failure); returns the exit status."""
    # CTest ends a test that runs too long with SIGTERM: stop our processes first.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("ended by SIGTERM"))
    desktop = Desktop(artefacts)
    try:
        desktop.up()
        case(desktop)
    except Failure as failure:
        print(f"FAIL ({name}): {failure}", file=sys.stderr)
        if artefacts and "DISPLAY" in desktop.env:  # the whole screen as it was, for a person to look at
            shot = os.path.join(artefacts, f"failed_{name}.png")
            desktop.run(["import", "-window", "root", shot], timeout=15)
            print(f"screen at the failure: {shot}", file=sys.stderr)
        return 1
    finally:
        desktop.stop()
    print(f"PASS ({name})")
    return 0

#!/usr/bin/env python3
"""Hostile clipboard contents on a real X11 desktop.

Each case runs on its own desktop (desktop.py): Xvfb, openbox and the window
program from the program folder, driven through the real X11 CLIPBOARD selection:
xclip for ordinary owners, and a small owner of our own (this script run with
--owner, on libX11 through ctypes) that can be killed while the program reads from
it. The bells the program rings are counted through XKB's BellNotify events. Every
wait is bounded; every process is stopped by its id.

    hostile_clipboard.py --program-dir DIR [--title TITLE] [--artefacts DIR] CASE
"""

import argparse
import ctypes
import os
import re
import select
import signal
import struct
import subprocess
import sys
import time
import zlib

from desktop import TICK, TITLE, Failure, Program, check, drive, short, wait_for

LIMIT = 32767  # the longest text converted, in UTF-16 units


def text_of(units):
    """A text of exactly `units` UTF-16 units (no surrogates), kana, kanji and ASCII."""
    pattern = "グラデーション漢字abc"
    return (pattern * (units // len(pattern) + 1))[:units]


# --- libX11 through ctypes -------------------------------------------------------

class X11:
    """The few Xlib calls used here. Events are read into a 192-byte XEvent and their
    fields taken at their offsets on LP64."""

    SELECTION_CLEAR, SELECTION_REQUEST, SELECTION_NOTIFY, PROPERTY_NOTIFY = 29, 30, 31, 28
    PROPERTY_CHANGE_MASK = 1 << 22
    PROPERTY_DELETE = 1

    def __init__(self, display=None):
        lib = ctypes.CDLL("libX11.so.6")
        vp, ul, c_int = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int
        for name, res, args in (
                ("XOpenDisplay", vp, [ctypes.c_char_p]),
                ("XCloseDisplay", c_int, [vp]),
                ("XDefaultRootWindow", ul, [vp]),
                ("XInternAtom", ul, [vp, ctypes.c_char_p, c_int]),
                ("XCreateSimpleWindow", ul, [vp, ul, c_int, c_int, ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ul, ul]),
                ("XSetSelectionOwner", c_int, [vp, ul, ul, ul]),
                ("XGetSelectionOwner", ul, [vp, ul]),
                ("XChangeProperty", c_int, [vp, ul, ul, ul, c_int, c_int, ctypes.c_char_p, c_int]),
                ("XSendEvent", c_int, [vp, ul, c_int, ctypes.c_long, vp]),
                ("XSelectInput", c_int, [vp, ul, ctypes.c_long]),
                ("XNextEvent", c_int, [vp, vp]),
                ("XPending", c_int, [vp]),
                ("XFlush", c_int, [vp]),
                ("XConnectionNumber", c_int, [vp]),
                ("XkbQueryExtension", c_int, [vp] + [ctypes.POINTER(c_int)] * 5),
                ("XkbSelectEvents", c_int, [vp, ctypes.c_uint, ul, ul])):
            function = getattr(lib, name)
            function.restype, function.argtypes = res, args
        self.lib = lib
        self.display = lib.XOpenDisplay(display.encode() if display else None)
        if not self.display:
            raise Failure(f"cannot open X display {display or os.environ.get('DISPLAY')!r}")
        self.root = lib.XDefaultRootWindow(self.display)
        self.event = (ctypes.c_ulong * 24)()

    def atom(self, name):
        return self.lib.XInternAtom(self.display, name.encode(), 0)

    def next_event(self, timeout):
        """The next event's raw bytes, or None when none came within `timeout` seconds."""
        self.lib.XFlush(self.display)
        deadline = time.monotonic() + timeout
        while not self.lib.XPending(self.display):
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            select.select([self.lib.XConnectionNumber(self.display)], [], [], left)
        self.lib.XNextEvent(self.display, self.event)
        return bytes(self.event)

    def take_clipboard(self):
        """Makes a window of ours the CLIPBOARD owner (exits when another keeps it) and
        says "owner" on standard output."""
        window = self.lib.XCreateSimpleWindow(self.display, self.root, 0, 0, 1, 1, 0, 0, 0)
        clipboard = self.atom("CLIPBOARD")
        self.lib.XSetSelectionOwner(self.display, clipboard, window, 0)
        self.lib.XFlush(self.display)
        if self.lib.XGetSelectionOwner(self.display, clipboard) != window:
            sys.exit("could not take the clipboard")
        print("owner", flush=True)

    def notify(self, request, prop):
        """Answers the SelectionRequest `request` (raw bytes) with `prop` (0: refused)."""
        reply = (ctypes.c_ulong * 24)()
        struct.pack_into("<i", reply, 0, X11.SELECTION_NOTIFY)
        struct.pack_into("<5Q", reply, 32, field(request, 40), field(request, 48), field(request, 56), prop,
                         field(request, 72))
        self.lib.XSendEvent(self.display, field(request, 40), 0, 0, reply)
        self.lib.XFlush(self.display)

    def answer_targets(self, request, prop, targets, utf8):
        """Answers a TARGETS request: the text is offered as UTF8_STRING only."""
        atoms = struct.pack("<2Q", targets, utf8)
        self.lib.XChangeProperty(self.display, field(request, 40), prop, self.atom("ATOM"), 32, 0, atoms, 2)
        self.notify(request, prop)

    def close(self):
        self.lib.XCloseDisplay(self.display)


def field(raw, offset, fmt="Q"):
    return struct.unpack_from("<" + fmt, raw, offset)[0]


class BellCounter:
    """Counts the bells rung on the display (XKB BellNotify events)."""

    def __init__(self, display):
        self.x = X11(display)
        ints = [ctypes.c_int(1 if i == 3 else 0) for i in range(5)]  # asks for XKB 1.0
        check(self.x.lib.XkbQueryExtension(self.x.display, *(ctypes.byref(v) for v in ints)),
              "the X server has no XKB extension to report bells")
        self.event_base = ints[1].value
        xkb_use_core_keyboard, bell_notify_mask = 0x100, 1 << 8
        self.x.lib.XkbSelectEvents(self.x.display, xkb_use_core_keyboard, bell_notify_mask, bell_notify_mask)
        self.bells = 0

    def count(self):
        while True:
            raw = self.x.next_event(0)
            if raw is None:
                return self.bells
            xkb_bell_notify = 8
            if field(raw, 0, "i") == self.event_base and field(raw, 40, "i") == xkb_bell_notify:
                self.bells += 1

    def close(self):
        self.x.close()


def run_owner(mode, path):
    """The --owner process: takes CLIPBOARD with the UTF-8 text in `path`, answers
    TARGETS, and at the first request for the text itself says so on standard output
    and stops serving, mode hang: before any byte; mode incr: after the first chunk of
    an incremental transfer. The driver then kills it."""
    with open(path, "rb") as f:
        data = f.read()
    x = X11()
    targets, utf8, incr = (x.atom(n) for n in ("TARGETS", "UTF8_STRING", "INCR"))
    x.take_clipboard()

    while True:
        raw = x.next_event(60)
        if raw is None or field(raw, 0, "i") != X11.SELECTION_REQUEST:
            continue
        requestor, target, prop = field(raw, 40), field(raw, 56), field(raw, 64)
        if target == targets:
            x.answer_targets(raw, prop, targets, utf8)
            continue
        if mode == "hang":
            print("request", flush=True)
            while True:
                time.sleep(60)
        # An incremental transfer: announce the size, then send the first chunk once the
        # requestor has deleted the property, and no more.
        x.lib.XSelectInput(x.display, requestor, X11.PROPERTY_CHANGE_MASK)
        x.lib.XChangeProperty(x.display, requestor, prop, incr, 32, 0, struct.pack("<Q", len(data)), 1)
        x.notify(raw, prop)
        while True:
            event = x.next_event(30)
            if event is None:
                sys.exit("the requestor never took the incremental transfer")
            if (field(event, 0, "i") == X11.PROPERTY_NOTIFY and field(event, 32) == requestor
                    and field(event, 40) == prop and field(event, 56, "i") == X11.PROPERTY_DELETE):
                break
        chunk = data[:4096]
        x.lib.XChangeProperty(x.display, requestor, prop, utf8, 8, 0, chunk, len(chunk))
        x.lib.XFlush(x.display)
        print("chunk", flush=True)
        while True:
            time.sleep(60)


# --- the program -----------------------------------------------------------------

class Watched(Program):
    """The window program with the bells rung on its display, and gradation-cli from
    its folder to say what markup it should make."""

    def __init__(self, desktop, program_dir, title, bells):
        self.program_dir = program_dir
        self.bells = bells
        super().__init__(desktop, os.path.join(program_dir, "gradation"), title)

    def markup(self, text):
        """The markup of `text` with setting 0, made by gradation-cli from the same folder."""
        return self.desktop.cli(self.program_dir, "--setting", "0", self.desktop.write_file(text.encode("utf-8")),
                                timeout=60)

    def expect_bells(self, expected, why, timeout=5):
        ok, _ = wait_for(lambda: self.bells.count() >= expected, timeout)
        check(self.bells.count() == expected, f"{why}: {self.bells.count()} bells rung, expected {expected}")

    def expect_converts(self, why):
        """The program is idle and ready: a copied >abc becomes its markup."""
        self.alive(why)
        self.desktop.copy(b">abc")
        self.desktop.expect_clipboard(self.markup("abc"), 15, f"{why}, then >abc")


# --- cases ------------------------------------------------------------------------

def case_limits(desktop, program):
    """32,767 units are converted; 32,768 and 1 MB are refused with one bell each and
    left on the clipboard (by the watcher without their ">")."""
    longest = text_of(LIMIT)
    desktop.copy((">" + longest).encode("utf-8"))
    desktop.expect_clipboard(program.markup(longest), 60, "> and 32,767 units")
    program.expect_bells(0, "converting 32,767 units", timeout=0.5)

    bells = 0
    for what, rest in (("32,768 units", text_of(LIMIT + 1)), ("1 MB", text_of(1 << 20))):
        desktop.copy((">" + rest).encode("utf-8"))
        # The bell first: xclip serves a text this long in parts to one reader at a time
        # and mixes them up when the clipboard is read while the program reads it.
        bells += 1
        program.expect_bells(bells, f"> and {what} refused", timeout=60)
        desktop.expect_clipboard(rest.encode("utf-8"), 60, f"> and {what}")
        desktop.expect_clipboard_stays(rest.encode("utf-8"), 4 * TICK, f"{what} without its >, a tick later")
        program.expect_bells(bells, f"{what} left on the clipboard is no trigger", timeout=0)

    # By the button: the other program keeps its text on the clipboard.
    too_long = text_of(LIMIT + 1).encode("utf-8")
    owner = desktop.copy(too_long)
    program.press_enter()
    bells += 1
    program.expect_bells(bells, "the convert button on 32,768 units")
    desktop.expect_clipboard_stays(too_long, 4 * TICK, "32,768 units after the convert button")
    check(owner.poll() is None, "xclip lost the clipboard: the program wrote to it")
    print(f"{bells} refusals, {program.bells.count()} bells")
    program.expect_converts("after the refusals")


def case_odd_bytes(desktop, program):
    """A lone surrogate cannot cross X11 as UTF-8: its bytes arrive as invalid UTF-8 and
    are read as replacement characters, each converted like any other character; so
    are other invalid bytes. A NUL byte is a character too."""
    for source, pattern in ((b">a\xed\xa0\x80b", "a\ufffd+b"), (b">a\xed\xb0\x80b", "a\ufffd+b"),
                            (b">a\xffb", "a\ufffd+b"), (b">a\xf0\x9f\x98b", "a\ufffd+b"), (b">a\x00b", "a\x00b")):
        desktop.copy(source)
        seen = []
        ok, _ = wait_for(lambda: seen.append(desktop.paste_bytes()) or (seen[-1] or b"").startswith(b"<"), 10, 0.1)
        check(ok, f"{source!r} was not converted within 10 s; last saw {short(seen[-1] if seen else None)}")
        text = seen[-1].decode("utf-8")
        tags = re.fullmatch(r'((?:<FONT COLOR="#[0-9A-F]{6}">.</FONT>)+)\r\n', text, re.S)
        check(tags is not None, f"{source!r} gave no whole markup: {text!r}")
        characters = "".join(re.findall(r'">(.)</FONT>', text, re.S))
        check(re.fullmatch(pattern, characters) is not None, f"{source!r} gave markup of {characters!r}")
        program.expect_bells(0, f"converting {source!r}", timeout=0)
    program.expect_converts("after the odd bytes")


def png(width, height, rgb):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    rows = b"".join(b"\0" + bytes(rgb) * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def case_picture_only(desktop, program):
    """A clipboard holding only a picture is no trigger: it stays as it was."""
    picture = png(4, 3, (12, 34, 56))
    owner = desktop.copy(picture, target="image/png")
    time.sleep(4 * TICK)
    check(owner.poll() is None, "xclip lost the clipboard: the program wrote to it")
    check(desktop.paste_bytes("image/png") == picture, "the picture on the clipboard changed")
    targets = (desktop.paste_bytes("TARGETS") or b"").split()
    check(targets == [b"TARGETS", b"image/png"], f"the clipboard offers {targets}, not the picture alone")
    program.expect_bells(0, "ticks over a picture", timeout=0)
    program.press_enter()
    time.sleep(2 * TICK)
    check(owner.poll() is None and desktop.paste_bytes("image/png") == picture,
          "the convert button over a picture changed the clipboard")
    program.expect_converts("after the picture")


def start_owner(desktop, mode, data):
    argv = [sys.executable, "-B", os.path.abspath(__file__), "--owner", mode, desktop.write_file(data)]
    owner = desktop.start("owner", argv, stdout=subprocess.PIPE)
    line = owner.stdout.readline() if select.select([owner.stdout], [], [], 10)[0] else b""
    check(line.strip() == b"owner", f"our own clipboard owner did not start ({mode}): {line!r}")
    return owner


def case_owner_gone(desktop, program):
    """The clipboard's owner goes away between ticks, or while the program reads from
    it: the tick finds no text, converts nothing, and the watcher goes on."""
    # Between ticks: a text, then its owner killed; the selection has no owner.
    owner = desktop.copy(b"plain")
    os.kill(owner.pid, signal.SIGKILL)
    owner.wait(timeout=5)
    ok, _ = wait_for(lambda: desktop.paste_bytes() is None, 5)
    check(ok, "the clipboard still has an owner after xclip was killed")
    time.sleep(4 * TICK)
    check(desktop.paste_bytes() is None, "the program wrote to the clipboard after its owner went away")
    program.alive("owner gone between ticks")

    # A trigger whose owner is killed right away: either the tick converted it first
    # (whole markup) or it found no owner (nothing); never anything else.
    owner = desktop.copy(b">abc")
    os.kill(owner.pid, signal.SIGKILL)
    owner.wait(timeout=5)
    time.sleep(4 * TICK)
    seen = desktop.paste_bytes()
    check(seen in (None, program.markup("abc")), f">abc with its owner killed left {short(seen)}")

    # While the program reads: our owner answers TARGETS, then at the request for the
    # text stops (hang) or sends the first 4 KB of an incremental transfer (incr), and
    # is killed there.
    for mode in ("hang", "incr"):
        owner = start_owner(desktop, mode, (">" + text_of(100000)).encode("utf-8"))
        expected = b"request" if mode == "hang" else b"chunk"
        ready = select.select([owner.stdout], [], [], 10)[0]
        line = owner.stdout.readline().strip() if ready else b""
        check(line == expected, f"the program never read the clipboard from our owner ({mode}): {line!r}")
        os.kill(owner.pid, signal.SIGKILL)
        owner.wait(timeout=5)
        # The read gives up after its own timeout; then the tick has found no text.
        time.sleep(8)
        seen = desktop.paste_bytes()
        check(seen is None, f"owner killed mid-read ({mode}): the clipboard now holds {short(seen)}")
        program.expect_bells(0, f"owner killed mid-read ({mode})", timeout=0)
        program.alive(f"owner killed mid-read ({mode})")
    program.expect_converts("after the owners went away")


def case_many_stops(desktop, program):
    """Enter pressed nine times during the conversion of 32,767 units: each press stops
    the running conversion or starts one. It ends with the text or its whole markup on
    the clipboard, and the program idle and ready."""
    longest = text_of(LIMIT)
    source, markup = longest.encode("utf-8"), program.markup(longest)
    # One whole conversion first, by the watcher: how long one takes here sets how long
    # the clipboard must stay unchanged before the presses count as settled.
    began = time.monotonic()
    desktop.copy(b">" + source)
    desktop.expect_clipboard(markup, 60, "> and 32,767 units")
    hold = 3 * (time.monotonic() - began) + 1

    desktop.copy(source)
    program.press_enter(times=9)
    seen = [desktop.paste_bytes()]
    since = time.monotonic()
    deadline = since + 60 + hold
    while time.monotonic() < deadline and not (seen[-1] in (source, markup) and time.monotonic() - since >= hold):
        time.sleep(0.25)
        seen.append(desktop.paste_bytes())
        if seen[-1] != seen[-2]:
            since = time.monotonic()
    check(seen[-1] in (source, markup) and time.monotonic() - since >= hold,
          f"after nine presses the clipboard did not settle on the text or its markup for {hold:.1f} s: "
          f"last saw {short(seen[-1])}")
    print("nine presses left the", "markup" if seen[-1] == markup else "text", "on the clipboard;",
          program.bells.count(), "presses found the markup too long")
    program.expect_converts("after nine presses")


CASES = {
    "limits": case_limits,
    "odd_bytes": case_odd_bytes,
    "picture_only": case_picture_only,
    "owner_gone": case_owner_gone,
    "many_stops": case_many_stops,
}


def run_watched_case(cases, prefix, description):
    """Parses the drivers' common arguments and runs one of `cases` on a fresh desktop,
    against the program watched for bells and for its end."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--program-dir", required=True, help="folder with gradation, gradation-cli and QX.ini")
    parser.add_argument("--title", default=TITLE, help="the main window's title")
    parser.add_argument("--artefacts", help="folder for a screenshot at a failure")
    parser.add_argument("case", choices=sorted(cases))
    args = parser.parse_args()
    program_dir = os.path.abspath(args.program_dir)
    artefacts = os.path.abspath(args.artefacts) if args.artefacts else None
    if artefacts:
        os.makedirs(artefacts, exist_ok=True)

    def run(desktop):
        bells = BellCounter(desktop.env["DISPLAY"])
        try:
            program = Watched(desktop, program_dir, args.title, bells)
            cases[args.case](desktop, program)
            program.alive("at the end of the case")
        finally:
            bells.close()  # before the display goes away
    return drive(f"{prefix}_{args.case}", run, artefacts)


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--owner":
        run_owner(sys.argv[2], sys.argv[3])
        return 0
    return run_watched_case(CASES, "hostile_clipboard", __doc__.splitlines()[0])


if __name__ == "__main__":
    sys.exit(main())

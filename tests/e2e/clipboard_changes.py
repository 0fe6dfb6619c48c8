#!/usr/bin/env python3
"""Other programs changing the clipboard while the window program works, on a real
X11 desktop.

Each case runs on its own desktop (desktop.py) with the program from the program
folder. The text to convert is served by a small clipboard owner of our own (this
script run with --serve, on libX11 through ctypes) that reports every fetch of its
text, so the driver knows when the program has read it; xclip copies the rest. The
bells the program rings are counted as in hostile_clipboard.py.

    clipboard_changes.py --program-dir DIR [--title TITLE] [--artefacts DIR] CASE
"""

import os
import select
import subprocess
import sys
import time

from desktop import TICK, check, wait_for
from hostile_clipboard import LIMIT, X11, field, run_watched_case, text_of


def run_server(path):
    """The --serve process: takes CLIPBOARD with the UTF-8 text in `path` and serves it
    (TARGETS and UTF8_STRING, in one property), printing "fetch" for every request
    of the text itself; it ends when another program takes the clipboard."""
    with open(path, "rb") as f:
        data = f.read()
    x = X11()
    targets, utf8 = (x.atom(n) for n in ("TARGETS", "UTF8_STRING"))
    x.take_clipboard()

    while True:
        raw = x.next_event(60)
        if raw is None:
            continue
        kind = field(raw, 0, "i")
        if kind == X11.SELECTION_CLEAR:
            return
        if kind != X11.SELECTION_REQUEST:
            continue
        requestor, target, prop = field(raw, 40), field(raw, 56), field(raw, 64)
        prop = prop or target
        if target == targets:
            x.answer_targets(raw, prop, targets, utf8)
        elif target == utf8:
            x.lib.XChangeProperty(x.display, requestor, prop, utf8, 8, 0, data, len(data))
            x.notify(raw, prop)
            print("fetch", flush=True)
        else:
            x.notify(raw, 0)


class Server:
    """Our serving owner holding `text` on the clipboard; counts the fetches of it."""

    def __init__(self, desktop, text):
        argv = [sys.executable, "-B", os.path.abspath(__file__), "--serve",
                desktop.write_file(text.encode("utf-8"))]
        self.process = desktop.start("server", argv, stdout=subprocess.PIPE)
        check(self.lines(10) == ["owner"], "our clipboard owner did not take the clipboard within 10 s")

    def lines(self, timeout):
        """The lines it printed until `timeout` seconds passed with none."""
        out = []
        while select.select([self.process.stdout], [], [], timeout)[0]:
            line = self.process.stdout.readline()
            if not line:
                break
            out.append(line.decode().strip())
            if out[-1] == "owner":
                break
            timeout = 0.05
        return out

    def _fetch_lines(self, wait, stop_at_first):
        deadline = time.monotonic() + wait
        count = 0
        while (left := deadline - time.monotonic()) > 0 and select.select([self.process.stdout], [], [], left)[0]:
            line = self.process.stdout.readline()
            if not line:
                break
            count += line.strip() == b"fetch"
            if count and stop_at_first:
                break
        return count

    def fetches(self, wait):
        """How many times the text is fetched within the next `wait` seconds."""
        return self._fetch_lines(wait, False)

    def expect_fetch(self, timeout, why):
        check(self._fetch_lines(timeout, True) == 1, f"{why}: the program did not fetch the text within {timeout} s")


def converting(desktop, program, source):
    """Puts `source` on the clipboard, lets the watcher look at it, presses Enter and
    returns once the conversion has read it: it then runs for a while (32,767 units)."""
    server = Server(desktop, source)
    server.expect_fetch(4 * TICK, "the watcher's look at a new text")
    program.press_enter()
    server.expect_fetch(5, "the conversion started with Enter")
    return server


def case_copied_during_run(desktop, program):
    """A text copied while a conversion runs is kept: the conversion writes nothing and
    rings the bell."""
    converting(desktop, program, text_of(LIMIT))
    owner = desktop.copy("NEW")
    # The run ends with the bell, or (the fault) by writing over NEW.
    wait_for(lambda: program.bells.count() or desktop.paste() != "NEW", 60)
    desktop.expect_clipboard_stays("NEW", 4 * TICK, "NEW, copied during the conversion")
    program.expect_bells(1, "NEW copied during the conversion (no bell: did the run end before the copy?)")
    check(owner.poll() is None, "xclip lost the clipboard: the program wrote over NEW")
    program.expect_converts("after the kept text")


def case_trigger_during_run(desktop, program):
    """A ">" text copied while the button's conversion runs stops that conversion and is
    itself converted by the next tick."""
    converting(desktop, program, text_of(LIMIT))
    desktop.copy(">xyz")
    desktop.expect_clipboard(program.markup("xyz"), 60, ">xyz copied during the conversion")
    program.expect_bells(0, "a stopped conversion and a converted trigger")
    program.expect_converts("after the trigger")


def case_held_text(desktop, program):
    """A text held on the clipboard is fetched once, at the first tick after the copy,
    not at every tick; a new copy is still converted."""
    server = Server(desktop, text_of(1 << 20))
    server.expect_fetch(4 * TICK, "the first tick after the copy")
    more = server.fetches(10 * TICK)
    check(more == 0, f"the held 1 MB text was fetched {more} more times over 10 ticks; once is enough")
    program.alive("holding 1 MB")
    program.expect_converts("after the held text")


CASES = {
    "copied_during_run": case_copied_during_run,
    "trigger_during_run": case_trigger_during_run,
    "held_text": case_held_text,
}


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--serve":
        run_server(sys.argv[2])
        return 0
    return run_watched_case(CASES, "clipboard_changes", __doc__.splitlines()[0])


if __name__ == "__main__":
    sys.exit(main())

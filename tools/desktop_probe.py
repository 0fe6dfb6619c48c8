"""What the soak and the whole-program figures share: a desktop with the program on
it, a light clipboard writer, and readings of the program's process."""

import os
import random
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from desktop import TITLE, Desktop, wait_for  # noqa: E402  (the e2e tests' desktop)

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
SAMPLE_TEXT = "グラデーションgradation文字色abc、漢字かなカナ123!?"


def start_desktop(artefacts):
    desktop = Desktop(artefacts)
    desktop.up()
    return desktop


def start_program(desktop, program):
    """Starts the program; returns (process, seconds until its main window was visible)."""
    started = time.monotonic()
    process = desktop.start("gradation", [os.path.abspath(program)])
    window = desktop.find_window(process.pid, TITLE, timeout=30)
    return process, window, time.monotonic() - started


def put_text(desktop, text):
    """Puts text on the clipboard through a background xclip that serves it until it
    loses the selection; nothing is left for this process to reap."""
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode("utf-8"),
                   env=desktop.env, timeout=5, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def random_text(rng, longest):
    length = rng.randint(1, longest)
    return "".join(rng.choice(SAMPLE_TEXT) for _ in range(length))


def status_kb(pid, field):
    """A VmRSS / VmHWM style field of /proc/PID/status, in kB."""
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    raise RuntimeError(f"no {field} for process {pid}")


def cpu_seconds(pid):
    """User plus system CPU time the process has used so far."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def scheduled(pid):
    """What the scheduler counted for the process's threads so far: (nanoseconds on a
    CPU, times switched in). Finer than cpu_seconds, whose clock ticks are 10 ms."""
    ns = runs = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                on_cpu, _, slices = (int(v) for v in f.read().split())
        except (FileNotFoundError, ProcessLookupError):
            continue  # a thread that ended meanwhile
        ns += on_cpu
        runs += slices
    return ns, runs


def wait_converted(desktop, source, timeout):
    """Waits until the clipboard holds markup (it then begins with "<") rather than the
    source; True when it did within `timeout` seconds."""
    ok, _ = wait_for(lambda: (desktop.paste() or "").startswith("<"), timeout, 0.05)
    return ok


__all__ = ["ROOT", "start_desktop", "start_program", "put_text", "random_text", "status_kb", "cpu_seconds",
           "scheduled", "wait_converted", "random", "wait_for"]

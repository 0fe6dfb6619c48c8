#!/usr/bin/env python3
"""End-to-end tests of the settings editor, gradation-settings, on a real X11 desktop.

Each case runs on its own desktop (desktop.py), whose XDG_CONFIG_HOME is a temporary
folder of its own, so the user's file the editor writes is the test's. Every wait is bounded;
a failure says what was expected and seen.

    settings_editor_driver.py --program-dir DIR --artefacts DIR CASE
"""

import argparse
import os
import re
import subprocess
import sys
import time

from desktop import SCREEN_SIZE, Failure, Program, check, drive, wait_for

EDITOR_TITLE = "gradation 設定エディタ - QX.ini"
# The shipped first setting with its start colour made red: "起動時標準" from
# (255, 0, 0) to (255, 128, 0).
RED_START_LINE = "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 255, 0, 0, 255, 128, 0,0"
RED_MARKUP_ABC = ('<FONT COLOR="#FF0000">a</FONT><FONT COLOR="#FF2B00">b</FONT>'
                  '<FONT COLOR="#FF5500">c</FONT>\r\n')

# Settings to look at: a table written vertically, and a size wave; the emoji in
# their names become the preview's first sample.
LOOK_AT = ("[UserSetting]\r\n"
           "00=表と縦😀,OFF,OFF,OFF,OFF,OFF,ON, 1, 0, 4,ON, 1,V,OFF, 0, 255, 0, 0, 0, 0, 255,0\r\n"
           "01=波🌊ウェーブ,OFF,OFF,OFF,OFF,ON,OFF, 1, 0, 5,OFF, 0,H,ON, 0, 0, 160, 0, 0, 0, 255,0\r\n")


class Editor:
    """gradation-settings started on a desktop, once its window is visible."""

    def __init__(self, desktop, program_dir, *arguments):
        self.desktop = desktop
        self.process = desktop.start("gradation-settings",
                                     [os.path.join(program_dir, "gradation-settings"), *arguments])
        self.window = desktop.find_window(self.process.pid, EDITOR_TITLE)
        desktop.activate(self.window)

    def keys(self, *keys):
        self.desktop.activate(self.window)
        self.desktop.keys(*keys)

    def type(self, text):
        self.desktop.run(["xdotool", "type", "--delay", "30", text], timeout=15)

    def close(self):
        self.keys("alt+F4")
        try:
            code = self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            raise Failure("the editor did not end within 5 s of closing its window") from None
        check(code == 0, f"the editor ended with exit status {code}")


def user_file(desktop):
    """The user's own QX.ini: under the desktop's own XDG_CONFIG_HOME, a temporary folder."""
    config = desktop.env.get("XDG_CONFIG_HOME", "")
    check(config.startswith(desktop.tmp.name), f"XDG_CONFIG_HOME {config!r} is not the desktop's own folder")
    return os.path.join(config, "gradation", "QX.ini")


def saved_text(path):
    """The file as text, or "" before it exists; the shipped file is Windows-31J."""
    if not os.path.exists(path):
        return ""
    with open(path, "rb") as f:
        raw = f.read()
    try:
        return raw.decode("utf-8-sig")
    except UnicodeDecodeError:
        return raw.decode("cp932", "replace")


def case_edit_and_convert(desktop, program_dir):
    mine = user_file(desktop)
    editor = Editor(desktop, program_dir)
    editor.keys("alt+c", "ctrl+a")        # the start colour's text
    editor.type("#FF0000")
    editor.keys("Return")
    # gradation-cli adds an entry meanwhile. Save asks: Enter keeps the edit, writes nothing
    # (so Save asks again); 上書き保存 writes it.
    added = "足した色,OFF,OFF,OFF,ON,OFF,OFF, 1, 0, 3,OFF, 0,H,OFF, 0, 10, 20, 30, 200, 100, 50,0"
    desktop.cli(program_dir, "--add", added)
    for answer in (("Return",), ("shift+Tab", "Return")):
        editor.keys("ctrl+s")
        ok, question = wait_for(lambda: (w := desktop.run(["xdotool", "getactivewindow"]).strip()) not in
                                ("", editor.window) and w, 5)
        check(ok and RED_START_LINE not in saved_text(mine), f"no question before {answer}, or the file was written")
        desktop.keys(*answer)
        check(wait_for(lambda: desktop.window_gone(question), 3)[0], f"{answer} did not answer the question")
    ok, _ = wait_for(lambda: RED_START_LINE in saved_text(mine), 5)
    check(ok, f"{mine} did not get the line {RED_START_LINE!r} within 5 s; it holds {saved_text(mine)!r}")
    with open(os.path.join(program_dir, "QX.ini"), "rb") as f:
        check(b" 255, 0, 0, 255, 128, 0,0" not in f.read(), "the QX.ini beside the program was written")
    desktop.screenshot(editor.window, "settings_editor_saved.png")
    editor.close()

    Program(desktop, os.path.join(program_dir, "gradation"))
    desktop.copy(">abc")
    took = desktop.expect_clipboard(RED_MARKUP_ABC, 2.0, "copying '>abc' after the editor's save")
    print(f"'>abc' converted with the edited setting after {took:.2f} s")


def case_three_stops(desktop, program_dir):
    """A stop added between the first setting's two colours, moved to 35 % and mixed in
    oklch, through the form's keys; the window converts with what was saved exactly as
    gradation-cli does with those stops."""
    mine = user_file(desktop)
    editor = Editor(desktop, program_dir)
    editor.keys("alt+g", "Insert", "Tab", "ctrl+a")   # the bar, a stop at 50 %, its position
    editor.type("35")
    editor.keys("Tab", "alt+k", "Down", "Down", "Down")   # srgb -> linear-srgb -> oklab -> oklch
    editor.keys("ctrl+s")
    entry = re.compile(r"^\[Gradient\]\r?\n00=(oklch #\w{6}@0 #\w{6}@35 #\w{6}@100)\r?$", re.M)
    ok, _ = wait_for(lambda: entry.search(saved_text(mine)), 5)
    check(ok, f"{mine} did not get a three-stop oklch entry within 5 s; it holds {saved_text(mine)!r}")
    stops = entry.search(saved_text(mine)).group(1).split(" ")[1:]
    desktop.screenshot(editor.window, "settings_editor_three_stops.png")
    editor.close()

    expected = desktop.cli(program_dir, "--stops", ",".join(stops), "--space", "oklch", "--text", "abc")
    two_stops = desktop.cli(program_dir, "--stops", f"{stops[0][:7]},{stops[2][:7]}", "--text", "abc")
    check(expected != two_stops, f"the three stops {stops} convert as the two end colours do")
    Program(desktop, os.path.join(program_dir, "gradation"))
    desktop.copy(">abc")
    took = desktop.expect_clipboard(expected.decode("utf-8"), 2.0, "copying '>abc' after saving three stops")
    print(f"'>abc' converted with the stops {stops} in oklch after {took:.2f} s")


def case_screenshots(desktop, program_dir):
    user_file(desktop)
    os.mkdir(os.path.join(desktop.tmp.name, "look"))
    path = os.path.join(desktop.tmp.name, "look", "QX.ini")  # the title names the file
    with open(path, "wb") as f:
        f.write(LOOK_AT.encode("utf-8"))
    editor = Editor(desktop, program_dir, "--ini", path)
    time.sleep(0.5)
    x, y, width, height = desktop.outer(editor.window)
    check(x >= 0 and y >= 0 and x + width <= SCREEN_SIZE[0] and y + height <= SCREEN_SIZE[1],
          f"the editor ({width}x{height} at {x},{y}) does not fit the {SCREEN_SIZE[0]}x{SCREEN_SIZE[1]} screen")
    shots = [desktop.screenshot(editor.window, "settings_editor_table_vertical.png")]
    editor.keys("alt+l", "Down")          # the list, then its second entry
    time.sleep(0.5)
    shots.append(desktop.screenshot(editor.window, "settings_editor_wave.png"))
    editor.close()
    with open(path, "rb") as f:
        check(f.read() == LOOK_AT.encode("utf-8"), "looking at the settings changed the file")
    print("screenshots: " + ", ".join(shots))


CASES = {
    "edit_and_convert": case_edit_and_convert,
    "screenshots": case_screenshots,
    "three_stops": case_three_stops,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program-dir", required=True, help="folder with gradation, gradation-settings and QX.ini")
    parser.add_argument("--artefacts", required=True, help="folder for the screenshots")
    parser.add_argument("case", choices=sorted(CASES))
    args = parser.parse_args()
    program_dir = os.path.abspath(args.program_dir)
    os.makedirs(os.path.abspath(args.artefacts), exist_ok=True)
    return drive(f"settings_editor_{args.case}", lambda desktop: CASES[args.case](desktop, program_dir),
                 os.path.abspath(args.artefacts))


if __name__ == "__main__":
    sys.exit(main())

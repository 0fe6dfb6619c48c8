#!/usr/bin/env python3
"""End-to-end tests of the window program on a real X11 desktop.

Each case runs on its own desktop (desktop.py): Xvfb, openbox and the program from
the program folder, driven through the real X11 clipboard (xclip) and real input
(xdotool); every process started is stopped by its process id. Every wait is
bounded; a failure says what was expected and seen.

    e2e_driver.py --program-dir DIR [--launcher PATH] --artefacts DIR CASE
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time

from desktop import SCREEN_SIZE, TICK, Failure, Program, check, drive, wait_for

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


def case_own_settings(desktop, launcher):
    """gradation-cli --replace makes the user's own QX.ini; gradation then converts with it."""
    line = "自分用,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 255, 128, 0, 0, 128, 255,0"
    desktop.cli(os.path.dirname(launcher), "--replace", "0", line)
    own = os.path.join(desktop.env["XDG_CONFIG_HOME"], "gradation", "QX.ini")
    check(os.path.isfile(own), f"no {own} after gradation-cli --replace")
    expected = desktop.cli(os.path.dirname(launcher), "--line", line, "--text", "abc").decode()
    check(expected not in ("", MARKUP_ABC), f"gradation-cli gave {expected!r} for the new line")
    Program(desktop, launcher)
    desktop.copy(">abc")
    desktop.expect_clipboard(expected, 1.0, "copying '>abc' with the user's own first setting")


def case_follows_file(desktop, launcher):
    """gradation-cli edits the user's own QX.ini while the window runs: the list follows."""
    own = os.path.join(desktop.env["XDG_CONFIG_HOME"], "gradation", "QX.ini")
    os.makedirs(os.path.dirname(own))
    shutil.copyfile(os.path.join(os.path.dirname(launcher), "QX.ini"), own)

    def cli_run(*arguments):
        return desktop.cli(os.path.dirname(launcher), *arguments).decode()
    program = Program(desktop, launcher)
    # The chosen 起動時標準 gets stops between its two colours, its line the same. Then it
    # goes: the new first entry is chosen. An added entry is listed last.
    added = "足した色,OFF,OFF,OFF,ON,OFF,OFF, 1, 0, 3,OFF, 0,H,OFF, 0, 10, 20, 30, 200, 100, 50,0"
    steps = ((["--remove", "0"], (), ["--setting", "0"]), (["--add", added], ("Tab", "End"), ["--line", added]))
    steps = ((["--replace", "0", STANDARD_LINE, "--stops", "#0080ff,#ff0000,#ff8000", "--space", "oklch"], (),
              ["--setting", "0"]),) + steps
    for edit, keys, markup in steps:
        cli_run(*edit)
        time.sleep(1.0)
        desktop.copy("abc")
        desktop.activate(program.window)
        desktop.keys(*keys, "Return")  # from the convert button to the list, then its last entry; 変換
        desktop.expect_clipboard(cli_run(*markup, "--text", "abc"), 1.0, f"変換 of 'abc' after gradation-cli {edit[:2]}")


def case_minecraft_fit(desktop, launcher):
    """minecraft chosen in the 形式 menu, a limit of 256 in gradation.conf: 120 characters fit."""
    conf = os.path.join(desktop.env["XDG_CONFIG_HOME"], "gradation", "gradation.conf")
    os.makedirs(os.path.dirname(conf))
    with open(conf, "w", encoding="utf-8") as f:
        f.write("[markup]\nlimit=256\n")
    program = Program(desktop, launcher)
    desktop.activate(program.window)
    desktop.keys("alt+m", "Down", "Down", "Down", "Return")  # html, html-css, bbcode, minecraft
    ok, _ = wait_for(lambda: "format=minecraft" in open(conf, encoding="utf-8").read(), 3)
    check(ok, f"choosing minecraft did not reach {conf}: {open(conf, encoding='utf-8').read()!r}")
    text = "あいうえおかきくけこ" * 6 + "gradation " * 6
    desktop.copy(text)
    desktop.activate(program.window)
    desktop.keys("Return")
    ok, markup = wait_for(lambda: (lambda seen: seen if seen not in (None, text) else None)(desktop.paste()), 5)
    check(ok, "the 120 characters were not converted within 5 s")
    units = len(markup.encode("utf-16-le")) // 2
    check(units <= 256, f"the markup is {units} UTF-16 units long, over the limit of 256: {markup!r}")
    codes = re.findall(r"&#[0-9a-f]{6}(?:&[lonmk])*", markup)
    check(markup.startswith("&#") and len(codes) > 1, f"not minecraft markup with a gradient: {markup!r}")
    check(re.sub(r"&#[0-9a-f]{6}(?:&[lonmk])*", "", markup) == text, f"the text is not kept whole: {markup!r}")
    print(f"{units} of 256 units, {len(codes)} colours")


CASES = {
    "watcher": case_watcher,
    "keys": case_keys,
    "main_window": case_main_window,
    "version_dialog": case_version_dialog,
    "version_dialog_near_bottom": case_version_dialog_near_bottom,
    "installed": case_installed,
    "own_settings": case_own_settings,
    "follows_file": case_follows_file,
    "minecraft_fit": case_minecraft_fit,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program-dir", required=True, help="folder with QX.ini")
    parser.add_argument("--launcher", help="what to start (default: gradation in the program folder)")
    parser.add_argument("--artefacts", required=True, help="folder for the screenshots")
    parser.add_argument("case", choices=sorted(CASES))
    args = parser.parse_args()
    args.program_dir = os.path.abspath(args.program_dir)
    args.artefacts = os.path.abspath(args.artefacts)
    launcher = os.path.abspath(args.launcher or os.path.join(args.program_dir, "gradation"))
    os.makedirs(args.artefacts, exist_ok=True)

    def run(desktop):
        check_default_setting(args.program_dir)
        CASES[args.case](desktop, launcher)
    return drive(args.case, run, args.artefacts)


if __name__ == "__main__":
    sys.exit(main())

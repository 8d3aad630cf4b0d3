#!/usr/bin/env python3
"""The same screens under every code page. Wine gives each process the ANSI code page of the Unix
locale it starts under, so the game is played once per locale with real X input: the title menu, the
rule dialog, the game menu, the pattern dialog, the confirmation and the result are screenshotted,
each cropped to its own window, and every screenshot is compared pixel for pixel with the one under
932, the code page the game was first written for.
Usage: code_pages_as_player.py KALEIDRA_EXE OUT_DIR (with DISPLAY set and the Wine environment of
tools/wine-env.sh). OUT_DIR is emptied and then holds every screenshot as CODEPAGE-SCREEN.png, and
CODEPAGE-SCREEN-diff.png beside each one that differs from the 932 one."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from player import (ROOT, Dialog, Failure, Game, Image, cell_rect, check, dialog_closed,
                    start_program, wait_for, xdotool)

# Code page, the Unix locale that gives it under Wine. The first is the one the others must match.
RUNS = (
    ("932", "ja_JP.UTF-8"),
    ("1252", "C.UTF-8"),
    ("936", "zh_CN.UTF-8"),
)

RULES = ("ルールの設定", 157, 170)
PATTERN = ("パネル操作範囲の設定", 227, 221)
SURE = ("ゲームを終了しますか？", 129, 29)
RESULT = ("結果表示", 166, 201)
# The result's play time, in dialog units: the one text that differs between two runs.
RESULT_TIME = (59, 71, 80, 8)

# On the default 9 x 16 field: 108 red panels (over the 70 % target: a star) and 9 of each other
# colour (crosses), so that the result's counts and marks are the same in every run.
STAGE = b"0000000000001234"
STAGE_COUNTS = [108, 9, 9, 9, 9]
STAGE_NAME = "stage.txt"


def code_page_under(locale):
    """The ANSI code page Wine gives a process started under the locale, as that process reads it.
    Asked up to three times: `reg` under Wine now and then prints nothing while the server is busy."""
    for _ in range(3):
        output = subprocess.run(
            [os.path.join(ROOT, "tools", "wine-exec.sh"), "reg", "query",
             r"HKLM\System\CurrentControlSet\Control\Nls\CodePage", "/v", "ACP"],
            env={**os.environ, "KALEIDRA_LOCALE": locale}, capture_output=True, timeout=30).stdout
        found = re.search(rb"ACP\s+REG_SZ\s+(\d+)", output)
        if found:
            return found.group(1).decode()
    return None


def grab(rect):
    x, y, width, height = rect
    return Image(subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}",
                                 "+repage", "-depth", "8", "ppm:-"], check=True,
                                capture_output=True).stdout)


def settled(rect, timeout=5.0):
    """The window's pixels once two screenshots in a row agree (menus and dialogs paint after they
    appear)."""
    deadline = time.monotonic() + timeout
    previous = grab(rect)
    while True:
        time.sleep(0.15)
        shot = grab(rect)
        if shot.pixels == previous.pixels or time.monotonic() > deadline:
            return shot
        previous = shot


def mask(shot, x, y, width, height):
    """Paints a rectangle of the shot (its own coordinates) black."""
    pixels = bytearray(shot.pixels)
    for row in range(max(y, 0), min(y + height, shot.height)):
        start = 3 * (row * shot.width + max(x, 0))
        end = 3 * (row * shot.width + min(x + width, shot.width))
        pixels[start:end] = bytes(end - start)
    shot.pixels = bytes(pixels)


def save(shot, path):
    header = f"P6 {shot.width} {shot.height} 255\n".encode()
    subprocess.run(["convert", "ppm:-", path], input=header + shot.pixels, check=True)


def popup_menu_rect(timeout=5.0):
    """The open popup menu: Wine shows it as a visible top-level X window of the game's without a
    name."""
    deadline = time.monotonic() + timeout
    while True:
        windows = subprocess.run(["xdotool", "search", "--onlyvisible", "--class",
                                  r"^kaleidra\.exe$"], capture_output=True, text=True).stdout.split()
        for window in windows:
            lines = subprocess.run(["xwininfo", "-id", window], capture_output=True,
                                   text=True).stdout.splitlines()
            if "(has no name)" not in next(line for line in lines if "Window id:" in line):
                continue
            value = lambda key: int(next(line.split(":")[1] for line in lines if key in line))
            rect = (value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
                    value("Height"))
            if rect[2] > 1 and rect[3] > 1:
                return rect
        if time.monotonic() > deadline:
            raise Failure("no popup menu is open")
        time.sleep(0.1)


def right_click(point):
    xdotool("mousemove", *point, "click", 3)


def dialog(caption, width_units, height_units):
    try:
        return Dialog(caption, width_units, height_units)
    except subprocess.TimeoutExpired:
        raise Failure(f"no window is captioned {caption}") from None


def play(exe, locale, folder, shots):
    """One game under the locale, started in the folder that holds the stage file; puts the
    screenshots into shots by screen name as it goes."""
    process = start_program(exe, cwd=folder, env={"KALEIDRA_LOCALE": locale})
    try:
        game = Game(exe, process=process)
        time.sleep(1)
        right_click(game.screen(100, 100))
        shots["title-menu"] = settled(popup_menu_rect())
        xdotool("key", "e")  # "ルール設定 (&E)"

        rules = dialog(*RULES)
        shots["rules"] = settled(rules.frame_rect)
        # The stage file by its name in the game's folder, typed into the path field (the
        # chooser is the system's, and slower).
        rules.click(12, 103, 84, 10)  # "ファイルから読み込む"
        rules.click(26, 116, 91, 14)  # the path
        xdotool("key", "Home", "shift+End")
        xdotool("type", "--delay", "20", STAGE_NAME)
        rules.click(94, 151, 50, 14)  # "閉じる"
        wait_for(lambda _: dialog_closed(RULES[0]))
        game.title_menu(2)  # "ゲーム開始 (&S)"
        shot = wait_for(lambda shot: game.colour_counts(shot) == STAGE_COUNTS)
        check(game.colour_counts(shot) == STAGE_COUNTS, f"the game plays the stage file: "
              f"colour counts {STAGE_COUNTS}")

        x, y = cell_rect(6, 8)
        right_click(game.field_screen(x + 32, y + 16))
        shots["game-menu"] = settled(popup_menu_rect())
        xdotool("key", "s")  # "パネル操作範囲の設定(&S)"
        pattern = dialog(*PATTERN)
        shots["pattern"] = settled(pattern.frame_rect)
        pattern.click(162, 200, 50, 14)  # "閉じる"

        game.game_menu("e")  # "ゲーム終了(&E)"
        sure = dialog(*SURE)
        shots["confirmation"] = settled(sure.frame_rect)
        sure.click(7, 7, 50, 14)  # "OK"

        result = dialog(*RESULT)
        shot = settled(result.frame_rect)
        # The seconds played differ from run to run: only that text's place is left out.
        (left, top), (right, bottom) = (result.point(*RESULT_TIME[:2]),
                                        result.point(RESULT_TIME[0] + RESULT_TIME[2],
                                                     RESULT_TIME[1] + RESULT_TIME[3]))
        mask(shot, left - result.frame_rect[0], top - result.frame_rect[1], right - left,
             bottom - top)
        shots["result"] = shot
        result.click(93, 183, 50, 14)  # "終了する"
        code = process.wait(timeout=20)
        check(code == 0, f"exit code {code}")
    except (Failure, subprocess.SubprocessError) as error:
        if process.poll() is None:
            process.kill()
            process.wait()
        raise Failure(f"{error} (after the screens {', '.join(shots) or 'none'})") from error


def differing_box(first, second):
    """How many pixels differ and the box around them: (count, left, top, right, bottom)."""
    count, xs, ys = 0, [], []
    for i in range(0, len(first.pixels), 3):
        if first.pixels[i:i + 3] != second.pixels[i:i + 3]:
            count += 1
            xs.append(i // 3 % first.width)
            ys.append(i // 3 // first.width)
    return count, min(xs), min(ys), max(xs), max(ys)


def main():
    exe, out = sys.argv[1], os.path.abspath(sys.argv[2])
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    failures = []
    shots = {}
    with tempfile.TemporaryDirectory(prefix="kaleidra-code-pages-") as folder:
        with open(os.path.join(folder, STAGE_NAME), "wb") as stage:
            stage.write(STAGE)
        for code_page, locale in RUNS:
            started = time.monotonic()
            given = code_page_under(locale)
            if given != code_page:
                failures.append(f"{locale} gives code page {given}, not {code_page} "
                                "(is the locale generated? tools/setup-debian.sh makes it)")
                continue
            shots[code_page] = {}
            try:
                play(exe, locale, folder, shots[code_page])
                print(f"ok: under {code_page} ({locale}) every screen shown and the game ended, "
                      f"{time.monotonic() - started:.1f} s")
            except Failure as error:
                failures.append(f"under {code_page} ({locale}): {error}")
                subprocess.run(["import", "-window", "root",
                                os.path.join(out, f"{code_page}-failure.png")])
            for name, shot in shots[code_page].items():
                save(shot, os.path.join(out, f"{code_page}-{name}.png"))

    reference_page = RUNS[0][0]
    reference = shots.get(reference_page, {})
    for code_page, taken in shots.items():
        if code_page == reference_page:
            continue
        for name, shot in taken.items():
            if name not in reference:
                continue
            first = reference[name]
            if (shot.width, shot.height) != (first.width, first.height):
                failures.append(f"{name} under {code_page} is {shot.width} x {shot.height}, under "
                                f"{reference_page} {first.width} x {first.height}")
            elif shot.pixels != first.pixels:
                count, left, top, right, bottom = differing_box(first, shot)
                failures.append(f"{name} under {code_page} differs from {reference_page} in "
                                f"{count} pixels within ({left}, {top})-({right}, {bottom})")
            else:
                print(f"ok: {name} under {code_page} equals {reference_page} pixel for pixel")
                continue
            # The differing pixels in red, or both side by side where the sizes differ.
            pictures = [os.path.join(out, f"{page}-{name}.png")
                        for page in (reference_page, code_page)]
            diff = os.path.join(out, f"{code_page}-{name}-diff.png")
            if (shot.width, shot.height) == (first.width, first.height):
                subprocess.run(["compare", *pictures, diff], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
            else:
                subprocess.run(["convert", *pictures, "+append", diff], check=True)

    print("screenshots:", out)
    if failures:
        for failure in failures:
            print("FAILED:", failure)
        print("the differing screenshots and their -diff.png are in", out)
        sys.exit(1)


if __name__ == "__main__":
    main()

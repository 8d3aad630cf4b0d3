#!/usr/bin/env python3
"""Sets the rules as a person would, with real X input only: 3 columns, 4 rows, 100 %, and a stage
file in another folder chosen through the file chooser by typing its full path. Then starts a game and
checks from a screenshot that the field shows the file's colours and the status panel the rules.
Usage: rules_as_player.py KALEIDRA_EXE (with DISPLAY set and the Wine environment of
tools/wine-env.sh)."""

import os
import sys
import tempfile
import time

from player import (Dialog, Game, check, choose_stage_file, in_field_cells, run, screenshot,
                    xdotool)

# Colour k of byte b is (b AND 0x0F) mod 5: each colour shows, in no simple order.
STAGE = b"301422043114"


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def main():
    exe = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="kaleidra-rules-") as folder:
        stages = os.path.join(folder, "stages")
        os.mkdir(stages)
        stage_file = os.path.join(stages, "pick.txt")
        with open(stage_file, "wb") as out:
            out.write(STAGE)
        # The game starts in another folder than the stage file's.
        game = Game(exe, cwd=folder)
        time.sleep(1)

        game.title_menu(1)
        dialog = Dialog("ルールの設定", 157, 170)
        check(dialog.client == game.client, "the rule dialog lies over the main window's client area")

        # Each list: opened by a click, its first item taken from the keyboard.
        for list_rect in ((30, 15, 22, 12), (30, 31, 22, 12)):
            dialog.click(*list_rect)
            xdotool("key", "Home", "Return")
            time.sleep(0.3)

        dialog.click(96, 14, 36, 12)  # the percentage
        xdotool("key", "End", "BackSpace", "BackSpace", "BackSpace")
        xdotool("type", "100")

        choose_stage_file(dialog, windows_path(stage_file))

        dialog.click(94, 151, 50, 14)  # "閉じる"
        time.sleep(1)
        game.title_menu(2)
        time.sleep(1.5)

        shot = screenshot()
        cells = in_field_cells(3, 4)
        check(len(cells) == 12, "a 3 x 4 field has 12 cells")
        expected = [(byte & 0x0F) % 5 for byte in STAGE]
        shown = [game.colour_at(shot, col, row) for col, row in cells]
        check(shown == expected, f"the cells show the file's colours in cell order: {shown}")
        check(game.read_number(shot, 150, 94, 2) == 3, "the status panel shows 3 columns")
        check(game.read_number(shot, 220, 94, 2) == 4, "and 4 rows")
        check(game.read_number(shot, 314, 94, 3) == 12, "and 12 panels")
        check(game.read_number(shot, 400, 66, 3) == 12, "and the clear target 12")
        check(game.read_number(shot, 400, 89, 3) == 100, "at 100 %")
        counts = game.colour_counts(shot)
        check(counts == [expected.count(k) for k in range(5)], f"the colour counts follow: {counts}")

        game.close()


if __name__ == "__main__":
    run(main)

#!/usr/bin/env python3
"""The release as a player meets it: the zip unpacked into a folder whose path has a space and
Japanese characters, the game started from there, a sample stage chosen through the rule dialog by
its path relative to the game's folder, the field checked against the file, and the window closed
(exit code 0). The folder holds the same files afterwards: the program writes nothing.
Usage: release_as_player.py ZIP (with DISPLAY set and the Wine environment of tools/wine-env.sh)."""

import os
import sys
import tempfile
import time
import zipfile

from player import (Dialog, Game, check, choose_stage_file, in_field_cells, run, screenshot,
                    xdotool)

SAMPLE, COLUMNS, ROWS = "few_clicks_5x8.txt", 5, 8


def files_under(folder):
    return sorted(os.path.relpath(os.path.join(top, name), folder)
                  for top, _, names in os.walk(folder) for name in names)


def choose_from_list(dialog, list_rect, steps):
    """Opens a drop-down list, goes to its first item and then steps items down."""
    dialog.click(*list_rect)
    xdotool("key", "Home", *["Down"] * steps, "Return")
    time.sleep(0.3)


def main():
    archive = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="kaleidra-release-") as scratch:
        place = os.path.join(scratch, "ゲーム 置き場")
        with zipfile.ZipFile(archive) as unpacked:
            unpacked.extractall(place)
        tops = os.listdir(place)
        check(len(tops) == 1 and tops[0].startswith("kaleidra-"), f"one folder in the zip: {tops}")
        folder = os.path.join(place, tops[0])
        before = files_under(folder)
        with open(os.path.join(folder, "stages", SAMPLE), "rb") as stage:
            expected = [(byte & 0x0F) % 5 for byte in stage.read()]

        game = Game(os.path.join(folder, "kaleidra.exe"), cwd=folder)
        time.sleep(1)
        check(screenshot().at(*game.screen(639, 5)) == (255, 255, 255), "the title screen shows")

        game.title_menu(1)
        dialog = Dialog("ルールの設定", 157, 170)
        choose_from_list(dialog, (30, 15, 22, 12), COLUMNS - 3)  # 3, 4, 5, ... panels per row
        choose_from_list(dialog, (30, 31, 22, 12), (ROWS - 4) // 2)  # 4, 6, 8, ... rows
        # The chooser opens in the game's folder; the name relative to it gives the full path back.
        choose_stage_file(dialog, "stages\\" + SAMPLE)
        dialog.click(94, 151, 50, 14)  # "閉じる"
        time.sleep(1)

        game.title_menu(2)
        time.sleep(1.5)
        shot = screenshot()
        cells = in_field_cells(COLUMNS, ROWS)
        shown = [game.colour_at(shot, col, row) for col, row in cells]
        check(shown == expected, f"the field shows {SAMPLE} read through its Japanese path")

        game.close()
        check(files_under(folder) == before, "the program wrote nothing into its folder")


if __name__ == "__main__":
    run(main)

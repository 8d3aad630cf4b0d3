#!/usr/bin/env python3
"""Plays Kaleidra as a person would: real X mouse events on the game's display, and nothing read but
screenshots. Usage: play_as_player.py KALEIDRA_EXE (with DISPLAY set and the Wine environment of
tools/wine-env.sh)."""

import os
import sys
import time

from player import BITMAPS, Game, Image, cell_rect, check, run, screenshot, wait_for, xdotool


def main():
    exe = sys.argv[1]
    cursor = Image.load(os.path.join(BITMAPS, "field_cursor.bmp"))

    game = Game(exe)
    time.sleep(1)

    # Title screen: a right click opens the title menu at the pointer; its second item starts a game.
    shot = screenshot()
    check(shot.at(*game.screen(639, 5)) == (255, 255, 255), "title screen shows the white window")
    game.title_menu(2)
    time.sleep(1.5)

    shot = screenshot()
    counts = game.colour_counts(shot)
    check(sum(counts) == 144, f"a game runs: colour counts {counts} add up to 144")
    check(game.read_number(shot, 336, 128, 4) == 0, "no operation yet")

    # Onto cell (6, 8): its five Type A cells get the highlight.
    covered = [(6, 8), (6, 7), (5, 7), (6, 9), (7, 9)]
    x, y = cell_rect(6, 8)
    before = [game.colour_at(shot, c, r) for c, r in covered]
    xdotool("mousemove", *game.field_screen(x + 20, y + 16))
    time.sleep(0.3)
    xdotool("mousemove", *game.field_screen(x + 32, y + 16))
    time.sleep(0.5)
    shot = screenshot()
    for col, row in covered:
        cx, cy = cell_rect(col, row)
        check(shot.at(*game.field_screen(cx + 32, cy + 1)) == cursor.at(32, 1),
              f"cell ({col}, {row}) is highlighted")

    # A click advances each covered colour by one, one panel after another.
    xdotool("click", 1)
    shot = wait_for(lambda shot: game.read_number(shot, 336, 128, 4) == 1)
    check(game.read_number(shot, 336, 128, 4) == 1, "the operation count shows 1")
    advanced = [(k + 1) % 5 for k in before]
    expected = list(counts)
    for k in before:
        expected[k] -= 1
        expected[(k + 1) % 5] += 1
    # The operation takes 26 ticks of 50 ms; give a slow machine room.
    shot = wait_for(lambda shot: [game.colour_at(shot, c, r) for c, r in covered] == advanced
                    and game.colour_counts(shot) == expected, timeout=10)
    after = [game.colour_at(shot, c, r) for c, r in covered]
    check(after == advanced, f"covered colours advanced {before} -> {after}")
    check(game.colour_counts(shot) == expected, f"status colour counts follow: {expected}")

    # The close box ends the program with exit code 0.
    game.close()


if __name__ == "__main__":
    run(main)

#!/usr/bin/env python3
"""Plays two whole games as a person would, with real X input only: the pattern dialog, the
confirmation answered once with Cancel and once with OK, the result, back to the title, a second
game, and out of the program from the result. Usage: whole_game_as_player.py KALEIDRA_EXE (with
DISPLAY set and the Wine environment of tools/wine-env.sh)."""

import os
import sys
import time

from player import (BITMAPS, Dialog, Failure, Game, Image, check, dialog_closed, in_field_cells, run,
                    screenshot, wait_for)

FIELD = in_field_cells(9, 16)
SURE = ("ゲームを終了しますか？", 129, 29)
RESULT = ("結果表示", 166, 201)


def field_colours(game, shot):
    return [game.colour_at(shot, col, row) for col, row in FIELD]


def distance(shot, point, picture, reach=8):
    """How far the screen near point is from the picture: the least mean channel difference over
    small shifts. The dialog's picture control draws its bitmap with colours a little off, so the
    result's picture is told by which of the two pictures it is nearer to."""
    wanted = picture.block(0, 0, picture.width, picture.height)

    def mean_difference(block):
        return sum(abs(a - b) for shown, want in zip(block, wanted)
                   for a, b in zip(shown, want)) / (3 * len(wanted))

    return min(mean_difference(shot.block(point[0] + dx, point[1] + dy, picture.width,
                                          picture.height))
               for dy in range(reach) for dx in range(reach))


def status_shows(game, shot, picture_name, x, y, width, height):
    picture = Image.load(os.path.join(BITMAPS, picture_name))
    return shot.block(*game.status_screen(x, y), width, height) == picture.block(0, 0, width, height)


def end_game(game, answer):
    """The game menu's end command, answered in the confirmation with "OK" or "ｷｬﾝｾﾙ"."""
    game.game_menu("e")
    sure = Dialog(*SURE)
    sure.click(*{"OK": (7, 7, 50, 14), "Cancel": (72, 7, 50, 14)}[answer])


def main():
    game = Game(sys.argv[1])
    time.sleep(1)
    game.title_menu(2)
    time.sleep(1.5)

    # The pattern dialog: Type F, closed with its button.
    game.game_menu("s")
    pattern = Dialog("パネル操作範囲の設定", 227, 221)
    pattern.click(17, 145, 37, 11)  # "タイプＦ"
    pattern.click(162, 200, 50, 14)  # "閉じる"
    shot = wait_for(lambda shot: status_shows(game, shot, "set_area6.bmp", 511, 34, 80, 40))
    check(status_shows(game, shot, "set_area6.bmp", 511, 34, 80, 40), "the status panel previews Type F")
    check(game.read_number(shot, 564, 112, 2) == 13, "and counts its 13 panels")

    # A click on an interior cell advances exactly 13 panels, each by one colour.
    before = field_colours(game, shot)
    game.click_cell(6, 8)

    def advanced(shot):
        after = field_colours(game, shot)
        changed = [(b, a) for b, a in zip(before, after) if b != a]
        return len(changed) == 13 and all(a == (b + 1) % 5 for b, a in changed)

    shot = wait_for(advanced, timeout=15)
    check(advanced(shot), "13 panels advanced by one colour")
    counts = game.colour_counts(shot)

    # Cancel in the confirmation: the game goes on.
    end_game(game, "Cancel")
    check(wait_for(lambda _: dialog_closed(SURE[0])) and dialog_closed(SURE[0]), "the confirmation closed")
    check(game.read_number(screenshot(), 336, 128, 4) == 1, "the game goes on after Cancel")

    # OK: the result, with the picture that matches the status panel's counts.
    end_game(game, "OK")
    result = Dialog(*RESULT)
    time.sleep(0.5)
    shot = screenshot()
    if os.environ.get("KALEIDRA_SCREENSHOT_DIR"):
        os.system(f"import -window root {os.environ['KALEIDRA_SCREENSHOT_DIR']}/result-dialog.png")
    cleared = any(count >= 100 for count in counts)
    clear, not_clear = (distance(shot, result.point(96, 111), Image.load(os.path.join(BITMAPS, name)))
                        for name in ("result_clear.bmp", "result_notclear.bmp"))
    check((clear < not_clear) == cleared,
          f"the result shows the {'clear' if cleared else 'not-clear'} picture for counts {counts}")
    result.click(26, 183, 50, 14)  # "タイトルへ戻る"

    # Back on the title screen; a second game starts afresh with Type A.
    logo = Image.load(os.path.join(BITMAPS, "title_logo1.bmp"))
    shot = wait_for(lambda shot: shot.block(*game.screen(10, 14), 16, 16) == logo.block(0, 0, 16, 16))
    check(shot.block(*game.screen(10, 14), 16, 16) == logo.block(0, 0, 16, 16), "the title screen is back")
    game.title_menu(2)
    time.sleep(1.5)
    shot = screenshot()
    check(game.read_number(shot, 336, 128, 4) == 0, "the second game has no operation yet")
    check(status_shows(game, shot, "set_area1.bmp", 511, 34, 80, 40), "and the pattern is Type A")

    # End it and leave from the result: exit code 0.
    end_game(game, "OK")
    Dialog(*RESULT).click(93, 183, 50, 14)  # "終了する"
    code = game.process.wait(timeout=20)
    check(code == 0, f"exit code {code}")


if __name__ == "__main__":
    run(main)

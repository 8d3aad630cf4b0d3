#!/usr/bin/env python3
"""Return as a player presses it, by real X input: in the confirmation, whose focus starts on
"ｷｬﾝｾﾙ", it goes on playing; in the result, whose focus starts on "タイトルへ戻る", it goes back to
the title and never ends the program. Usage: return_key_as_player.py KALEIDRA_EXE (with DISPLAY set
and the Wine environment of tools/wine-env.sh)."""

import os
import sys
import time

from player import BITMAPS, Dialog, Game, Image, check, dialog_closed, run, screenshot, wait_for, xdotool

SURE = ("ゲームを終了しますか？", 129, 29)
RESULT = ("結果表示", 166, 201)


def main():
    game = Game(sys.argv[1])
    time.sleep(1)
    game.title_menu(2)
    time.sleep(1.5)

    game.game_menu("e")
    Dialog(*SURE)
    xdotool("key", "Return")
    check(wait_for(lambda _: dialog_closed(SURE[0])) and dialog_closed(SURE[0]),
          "Return closed the confirmation")
    time.sleep(1)
    check(dialog_closed(RESULT[0]), "and no result opened: the game goes on")
    check(game.read_number(screenshot(), 336, 128, 4) == 0, "its status panel still shows")

    game.game_menu("e")
    Dialog(*SURE).click(7, 7, 50, 14)  # "OK"
    Dialog(*RESULT)
    xdotool("key", "Return")
    logo = Image.load(os.path.join(BITMAPS, "title_logo1.bmp"))
    shot = wait_for(lambda shot: shot.block(*game.screen(10, 14), 16, 16) == logo.block(0, 0, 16, 16))
    check(shot.block(*game.screen(10, 14), 16, 16) == logo.block(0, 0, 16, 16),
          "Return in the result went back to the title")
    check(game.process.poll() is None, "and the program runs on")
    game.close()


if __name__ == "__main__":
    run(main)

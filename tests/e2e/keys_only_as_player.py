#!/usr/bin/env python3
"""Plays a whole game from the keyboard alone, with real X key events only: the title menu by
Shift+F10 and by the context-menu key, the rules set to 5 x 8 with Tab, typing and Enter, the cursor
moved by the arrows with the highlight read back after every key, panels advanced by Space and Enter,
Type F chosen in the pattern dialog, the end confirmed after one cancel, the result, the title again
and the quit. The pointer is parked in the screen's far corner before the program starts, and the
program gets no mouse input. Usage: keys_only_as_player.py KALEIDRA_EXE (with DISPLAY set and the
Wine environment of tools/wine-env.sh)."""

import ctypes
import os
import subprocess
import sys
import time

from player import (BITMAPS, Dialog, Game, Image, cell_rect, check, dialog_closed, in_field,
                    in_field_cells, run, screenshot, wait_for, xdotool)
from whole_game_as_player import RESULT, SURE, distance, status_shows

COLUMNS, ROWS = 5, 8
FIELD = in_field_cells(COLUMNS, ROWS)
TYPE_A = [(0, 0), (0, -1), (-1, -1), (0, 1), (1, 1)]
TYPE_F = [(0, 0), (1, 0), (0, -1), (-1, -2), (-1, -1), (-1, 0), (0, 1), (1, 2), (1, 1), (0, -2),
          (-2, -2), (0, 2), (2, 2)]
CENTRE = (8, 8)


def stepped(col, row, key):
    """The README's rule for the arrows: Left and Right along the row; Up and Down to the touching
    cell of the row above or below, to the right from a row that starts on the field's left edge,
    else to the left. None where the field has no cell that way."""
    edge_row = (2 * col - row - (9 - COLUMNS)) % 2 == 0
    col, row = {"Left": (col - 1, row), "Right": (col + 1, row),
                "Up": (col if edge_row else col - 1, row - 1),
                "Down": (col + 1 if edge_row else col, row + 1)}[key]
    return (col, row) if in_field(COLUMNS, ROWS, col, row) else None


def x_autorepeat(on):
    """The X server's key repeat. Off, a key press that a loaded machine holds past the repeat delay
    cannot turn into several; on only where a held key is the point."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    display = ctypes.c_void_p(x11.XOpenDisplay(None))
    (x11.XAutoRepeatOn if on else x11.XAutoRepeatOff)(display)
    x11.XCloseDisplay(display)


def press(*keys):
    xdotool("key", "--delay", "80", *keys)


class Highlight:
    """Tells from a screenshot which cells show the cursor's outline."""

    def __init__(self, game):
        self.game = game
        cursor = Image.load(os.path.join(BITMAPS, "field_cursor.bmp"))
        self.outline = [(x, y, cursor.at(x, y)) for y in range(32) for x in range(64)
                        if cursor.at(x, y) != (255, 255, 255)]

    def on(self, shot, col, row):
        x, y = cell_rect(col, row)
        return all(shot.at(*self.game.field_screen(x + dx, y + dy)) == colour
                   for dx, dy, colour in self.outline)

    def cells(self, shot):
        return {cell for cell in FIELD if self.on(shot, *cell)}


def covered(cursor, pattern):
    return {(cursor[0] + dcol, cursor[1] + drow) for dcol, drow in pattern} & set(FIELD)


def field_colours(game, shot):
    return {cell: game.colour_at(shot, *cell) for cell in FIELD}


def act_and_check(game, key, cursor, pattern, label, hold=0.0):
    """Space or Enter at the cursor cell: exactly the covered panels advance by one colour. Held
    down for hold seconds, past the operation's end, the key's repeats start nothing more."""
    before = field_colours(game, screenshot())
    operations = game.read_number(screenshot(), 336, 128, 4)
    if hold:
        x_autorepeat(True)
        try:
            xdotool("keydown", key)
            time.sleep(hold)
            xdotool("keyup", key)
        finally:
            x_autorepeat(False)
    else:
        press(key)
    expected = covered(cursor, pattern)

    def advanced(shot):
        after = field_colours(game, shot)
        changed = {cell for cell in FIELD if after[cell] != before[cell]}
        return changed == expected and all(after[c] == (before[c] + 1) % 5 for c in changed)

    shot = wait_for(advanced, timeout=20)
    check(advanced(shot), f"{label}: the {len(expected)} panels around {cursor} advanced, no other")
    check(game.read_number(shot, 336, 128, 4) == operations + 1, f"{label}: one more operation")


def menu_shown(game, shot, top_left):
    """A popup menu's white face just inside its top-left corner, where the title picture is not white."""
    x, y = top_left
    return all(shot.at(x + dx, y + dy) == (255, 255, 255) for dx in range(4, 40) for dy in (4, 5))


def main():
    # The pointer that earlier tests left on the screen goes to the far corner before the game
    # starts, and stays there: over the field, the move that Windows makes up when a dialog closes
    # from under it would take the cursor back, as any mouse move does.
    width, height = map(int, subprocess.run(["xdotool", "getdisplaygeometry"], check=True,
                                            capture_output=True, text=True).stdout.split())
    xdotool("mousemove", width - 1, height - 1)
    game = Game(sys.argv[1])
    time.sleep(1)
    highlight = Highlight(game)
    title_menu_corner = (game.client[0] + game.frame + 320, game.client[1] + game.frame + 240)

    # The context-menu key opens the title menu over the window's middle; Escape closes it, and no
    # second menu follows.
    check(not menu_shown(game, screenshot(), title_menu_corner), "no menu on the title at first")
    press("Menu")
    shot = wait_for(lambda shot: menu_shown(game, shot, title_menu_corner))
    check(menu_shown(game, shot, title_menu_corner), "the context-menu key opens the title menu")
    press("Escape")
    shot = wait_for(lambda shot: not menu_shown(game, shot, title_menu_corner))
    check(not menu_shown(game, shot, title_menu_corner), "Escape closes it, and no second one opens")

    # Shift+F10, then the rule item by its mnemonic.
    press("shift+F10")
    time.sleep(0.7)
    press("e")
    rules = Dialog("ルールの設定", 157, 170)
    # Backwards from "閉じる", which has the focus: the rows, the columns, then the percentage, whose
    # text the Tab selects. Enter presses "閉じる".
    press("shift+Tab", "8", "shift+Tab", "5", "shift+Tab")
    xdotool("type", "--delay", "60", "60")
    press("Return")
    check(wait_for(lambda _: dialog_closed("ルールの設定")) and dialog_closed("ルールの設定"),
          "Enter closes the rule dialog")

    press("shift+F10")
    time.sleep(0.7)
    press("s")
    shot = wait_for(lambda shot: game.read_number(shot, 314, 94, 3) == 40, timeout=5)
    check(game.read_number(shot, 150, 94, 2) == 5 and game.read_number(shot, 220, 94, 2) == 8,
          "a 5 x 8 game started")
    check(game.read_number(shot, 400, 89, 3) == 60, "at the typed 60 %")
    check(highlight.cells(shot) == set(), "no highlight before the first key")

    # The arrows: start-up left the cursor at (0, 0), off a 5 x 8 field, so they start from the
    # centre. At the top the next Up does nothing.
    cursor = CENTRE
    for key in ["Right", "Up", "Up", "Left", "Up", "Up", "Up", "Left", "Left", "Down", "Right",
                "Down", "Down", "Right", "Right", "Right", "Down", "Left"]:
        target = stepped(*cursor, key)
        cursor = target or cursor
        press(key)
        expected = covered(cursor, TYPE_A)
        shot = wait_for(lambda shot: highlight.cells(shot) == expected, timeout=3)
        check(highlight.cells(shot) == expected,
              f"{key}: {'the highlight at' if target else 'nothing that way, the highlight stays at'} "
              f"{cursor}")
        check(game.read_number(shot, 507, 112, 2) == len(expected),
              f"the status panel counts {len(expected)} covered panels")

    # Space, held down for longer than the operation (five panels, 1.3 s) takes, with the X
    # server's key repeat on: the covered panels advance once.
    act_and_check(game, "space", cursor, TYPE_A, "Space held down", hold=3.0)

    # The pattern dialog from the game menu; Type F, the dialog's last radio button but one, lies
    # two steps back from "閉じる" within the dialog's one group; Space checks it, Enter closes.
    press("shift+F10")
    time.sleep(0.7)
    press("s")
    Dialog("パネル操作範囲の設定", 227, 221)
    press("Up", "Up", "space", "Return")
    shot = wait_for(lambda shot: status_shows(game, shot, "set_area6.bmp", 511, 34, 80, 40))
    check(status_shows(game, shot, "set_area6.bmp", 511, 34, 80, 40), "the status panel previews Type F")
    check(game.read_number(shot, 564, 112, 2) == 13, "and counts its 13 panels")

    # After the dialog the keys still reach the game: a move, then Enter with Type F.
    for key in ["Up", "Left"]:
        cursor = stepped(*cursor, key) or cursor
        press(key)
    expected = covered(cursor, TYPE_F)
    shot = wait_for(lambda shot: highlight.cells(shot) == expected, timeout=3)
    check(highlight.cells(shot) == expected, f"the Type F highlight at {cursor}")
    act_and_check(game, "Return", cursor, TYPE_F, "Enter")
    counts = game.colour_counts(screenshot())

    # The end: cancelled once with the focused "ｷｬﾝｾﾙ", then confirmed on "OK", reached by Tab.
    press("shift+F10")
    time.sleep(0.7)
    press("e")
    Dialog(*SURE)
    press("space")
    check(wait_for(lambda _: dialog_closed(SURE[0])) and dialog_closed(SURE[0]), "ｷｬﾝｾﾙ closes the confirmation")
    check(game.read_number(screenshot(), 336, 128, 4) == 2, "and the game goes on")

    press("shift+F10")
    time.sleep(0.7)
    press("e")
    Dialog(*SURE)
    press("Tab", "Return")
    result = Dialog(*RESULT)
    time.sleep(0.5)
    shot = screenshot()
    target = (COLUMNS * ROWS * 60) // 100
    cleared = any(count >= target for count in counts)
    clear, not_clear = (distance(shot, result.point(96, 111), Image.load(os.path.join(BITMAPS, name)))
                        for name in ("result_clear.bmp", "result_notclear.bmp"))
    check((clear < not_clear) == cleared,
          f"the result shows the {'clear' if cleared else 'not-clear'} picture for counts {counts}")

    # "タイトルへ戻る" has the focus.
    press("space")
    logo = Image.load(os.path.join(BITMAPS, "title_logo1.bmp"))
    shot = wait_for(lambda shot: shot.block(*game.screen(10, 14), 16, 16) == logo.block(0, 0, 16, 16))
    check(shot.block(*game.screen(10, 14), 16, 16) == logo.block(0, 0, 16, 16), "the title screen is back")

    press("shift+F10")
    time.sleep(0.7)
    press("q")
    code = game.process.wait(timeout=20)
    check(code == 0, f"exit code {code}")


def play():
    x_autorepeat(False)
    try:
        main()
    finally:
        x_autorepeat(True)


if __name__ == "__main__":
    run(play)

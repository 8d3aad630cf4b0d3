#!/usr/bin/env python3
"""Plays Kaleidra as a person would: real X mouse events on the game's display, and nothing read but
screenshots. Usage: play_as_player.py KALEIDRA_EXE (with DISPLAY set and the Wine environment of
tools/wine-env.sh)."""

import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
BITMAPS = os.path.join(ROOT, "resources", "bitmaps")


class Image:
    """An RGB picture read through ImageMagick as binary PPM."""

    def __init__(self, ppm):
        # "P6", width, height and maxval, each followed by one whitespace byte, then the pixels.
        fields, pos = [], 0
        while len(fields) < 4:
            while ppm[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not ppm[pos:pos + 1].isspace():
                pos += 1
            fields.append(ppm[start:pos])
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = ppm[pos + 1:]

    @classmethod
    def load(cls, source):
        return cls(subprocess.run(["convert", source, "-depth", "8", "ppm:-"], check=True,
                                  capture_output=True).stdout)

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def block(self, x, y, width, height):
        return [self.at(x + dx, y + dy) for dy in range(height) for dx in range(width)]


def screenshot():
    return Image(subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], check=True,
                                capture_output=True).stdout)


def wait_for(condition, timeout=5.0):
    """The first screenshot for which condition holds, or the last one taken at the timeout."""
    deadline = time.monotonic() + timeout
    while True:
        shot = screenshot()
        try:
            if condition(shot):
                return shot
        except Failure:
            pass  # a panel caught mid-animation
        if time.monotonic() > deadline:
            return shot
        time.sleep(0.2)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)
    print("ok:", message)


class Game:
    def __init__(self, exe):
        self.process = subprocess.Popen([os.path.join(ROOT, "tools", "wine-exec.sh"), exe],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                 "^Kaleidra$"], check=True, capture_output=True,
                                text=True, timeout=60).stdout.split()[0]
        info = subprocess.run(["xwininfo", "-id", window], check=True, capture_output=True,
                              text=True).stdout
        value = lambda key: int(next(line.split(":")[1] for line in info.splitlines()
                                     if key in line))
        x, y = value("Absolute upper-left X"), value("Absolute upper-left Y")
        width, height = value("Width"), value("Height")
        # The X window is the whole frame (Wine draws it): dialog frame on each side, caption on top.
        self.frame = (width - 640) // 2
        self.client = (x + self.frame, y + height - 480 - self.frame)
        self.frame_rect = (x, y, width, height)

    def screen(self, client_x, client_y):
        return self.client[0] + client_x, self.client[1] + client_y

    def field_screen(self, field_x, field_y):
        # The field window's client area starts at (16, 172 - 2 * frame + frame) in the main window.
        return self.screen(16 + field_x, 172 - self.frame + field_y)

    def status_screen(self, x, y):
        return self.screen(x, y)


def cell_rect(col, row):
    return 64 * col - 32 * row, 16 * row + 16


def main():
    exe = sys.argv[1]
    sheet = Image.load(os.path.join(BITMAPS, "field_panel.bmp"))
    cursor = Image.load(os.path.join(BITMAPS, "field_cursor.bmp"))
    digits = Image.load(os.path.join(BITMAPS, "status_char.bmp"))
    status_back = Image.load(os.path.join(BITMAPS, "status_back.bmp"))
    rest_centres = [sheet.at(64 * k + 32, 16) for k in range(5)]

    game = Game(exe)
    time.sleep(1)

    def read_number(shot, x, y, slots):
        value = 0
        for i in range(slots):
            sx, sy = game.status_screen(x + 16 * i, y)
            shown = shot.block(sx, sy, 16, 16)
            if shown == status_back.block(x + 16 * i, y, 16, 16):
                continue
            matches = [d for d in range(10) for r in (0, 1)
                       if shown == digits.block(16 * d, 16 * r, 16, 16)]
            if not matches:
                raise Failure(f"no digit at status ({x + 16 * i}, {y})")
            value = 10 * value + matches[0]
        return value

    def colour_counts(shot):
        return [read_number(shot, 80 + 62 * k, 66, 3) for k in range(5)]

    def colour_at(shot, col, row):
        x, y = cell_rect(col, row)
        shown = shot.at(*game.field_screen(x + 32, y + 16))
        if shown not in rest_centres:
            raise Failure(f"cell ({col}, {row}) shows no resting panel: {shown}")
        return rest_centres.index(shown)

    # Title screen: a right click opens the title menu at the pointer; its second item starts a game.
    shot = screenshot()
    check(shot.at(*game.screen(639, 5)) == (255, 255, 255), "title screen shows the white window")
    point = game.screen(100, 100)
    xdotool("mousemove", *point, "click", 3)
    time.sleep(0.7)
    item_x, item_y = point[0] + game.frame + 30, point[1] + game.frame + 4 + 19 + 9
    xdotool("mousemove", item_x, item_y, "click", 1)
    time.sleep(1.5)

    shot = screenshot()
    counts = colour_counts(shot)
    check(sum(counts) == 144, f"a game runs: colour counts {counts} add up to 144")
    check(read_number(shot, 336, 128, 4) == 0, "no operation yet")

    # Onto cell (6, 8): its five Type A cells get the highlight.
    covered = [(6, 8), (6, 7), (5, 7), (6, 9), (7, 9)]
    x, y = cell_rect(6, 8)
    before = [colour_at(shot, c, r) for c, r in covered]
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
    shot = wait_for(lambda shot: read_number(shot, 336, 128, 4) == 1)
    check(read_number(shot, 336, 128, 4) == 1, "the operation count shows 1")
    advanced = [(k + 1) % 5 for k in before]
    expected = list(counts)
    for k in before:
        expected[k] -= 1
        expected[(k + 1) % 5] += 1
    # The operation takes 26 ticks of 50 ms; give a slow machine room.
    shot = wait_for(lambda shot: [colour_at(shot, c, r) for c, r in covered] == advanced
                    and colour_counts(shot) == expected, timeout=10)
    after = [colour_at(shot, c, r) for c, r in covered]
    check(after == advanced, f"covered colours advanced {before} -> {after}")
    check(colour_counts(shot) == expected, f"status colour counts follow: {expected}")

    # The close box ends the program with exit code 0.
    fx, fy, fw, _ = game.frame_rect
    xdotool("mousemove", fx + fw - 14, fy + game.frame + 9, "click", 1)
    code = game.process.wait(timeout=20)
    check(code == 0, f"exit code {code}")


if __name__ == "__main__":
    try:
        main()
    except (Failure, subprocess.SubprocessError) as error:
        print("FAILED:", error)
        subprocess.run(["import", "-window", "root", "e2e-failure.png"])
        print("screenshot of the failure: e2e-failure.png in", os.getcwd())
        sys.exit(1)

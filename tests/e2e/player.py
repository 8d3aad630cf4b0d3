"""What the player-side tests share: the game started under Wine, real X input through xdotool, and
screenshots read back against the program's own bitmaps. Needs DISPLAY and the Wine environment of
tools/wine-env.sh."""

import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
BITMAPS = os.path.join(ROOT, "resources", "bitmaps")

# Frame metrics that Wine draws with Managed=N.
DIALOG_FRAME = 3
CAPTION = 19


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)
    print("ok:", message)


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


def window_geometry(name_pattern, timeout=60):
    """x, y, width and height of the first visible X window whose name matches, frame included."""
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", name_pattern],
                            check=True, capture_output=True, text=True,
                            timeout=timeout).stdout.split()[0]
    info = subprocess.run(["xwininfo", "-id", window], check=True, capture_output=True,
                          text=True).stdout
    value = lambda key: int(next(line.split(":")[1] for line in info.splitlines() if key in line))
    return (value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
            value("Height"))


def cell_rect(col, row):
    return 64 * col - 32 * row, 16 * row + 16


def in_field(columns, rows, col, row):
    """The field's shape for a size chosen in the rules; row by row, column by column."""
    column_margin, row_margin = 9 - columns, (16 - rows) // 2
    x = 2 * col - row
    return row_margin <= row <= 15 - row_margin and column_margin <= x <= 17 - column_margin


def in_field_cells(columns, rows):
    return [(col, row) for row in range(16) for col in range(17) if in_field(columns, rows, col, row)]


def start_program(exe, *args, cwd=None, env=None):
    """A Windows program started under Wine, its output discarded; env adds to the environment
    (KALEIDRA_LOCALE, for example, chooses the code page)."""
    return subprocess.Popen([os.path.join(ROOT, "tools", "wine-exec.sh"), os.path.abspath(exe),
                             *args], cwd=cwd, env={**os.environ, **(env or {})},
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def close_by_box(process, frame_rect):
    """Clicks the close box of a frame that Wine draws; returns the program's exit code."""
    fx, fy, fw, _ = frame_rect
    xdotool("mousemove", fx + fw - 14, fy + DIALOG_FRAME + 9, "click", 1)
    return process.wait(timeout=20)


class Game:
    """The game's process and its main window's place on the screen."""

    def __init__(self, exe, cwd=None, process=None):
        """Starts the game, or takes over a process already started with start_program."""
        self.process = process or start_program(exe, cwd=cwd)
        x, y, width, height = window_geometry("^Kaleidra$")
        # The X window is the whole frame (Wine draws it): dialog frame on each side, caption on top.
        self.frame = (width - 640) // 2
        self.client = (x + self.frame, y + height - 480 - self.frame)
        self.frame_rect = (x, y, width, height)
        self.panels = Image.load(os.path.join(BITMAPS, "field_panel.bmp"))
        self.digits = Image.load(os.path.join(BITMAPS, "status_char.bmp"))
        self.status_back = Image.load(os.path.join(BITMAPS, "status_back.bmp"))
        self.rest_centres = [self.panels.at(64 * k + 32, 16) for k in range(5)]

    def screen(self, client_x, client_y):
        return self.client[0] + client_x, self.client[1] + client_y

    def field_screen(self, field_x, field_y):
        # The field window's client area starts at (16, 172 - 2 * frame + frame) in the main window.
        return self.screen(16 + field_x, 172 - self.frame + field_y)

    def status_screen(self, x, y):
        return self.screen(x, y)

    def game_menu(self, accelerator, col=6, row=8):
        """Right click on a field cell, then the game menu's item by its accelerator key."""
        x, y = cell_rect(col, row)
        xdotool("mousemove", *self.field_screen(x + 32, y + 16), "click", 3)
        time.sleep(0.7)
        xdotool("key", accelerator)

    def click_cell(self, col, row):
        """Onto the cell from inside its diamond, so that it becomes the cursor cell, then a click."""
        x, y = cell_rect(col, row)
        xdotool("mousemove", *self.field_screen(x + 20, y + 16))
        time.sleep(0.3)
        xdotool("mousemove", *self.field_screen(x + 32, y + 16), "click", 1)

    def title_menu(self, position):
        """Right click on the title screen, then a click on the menu's item at position (1-based)."""
        point = self.screen(100, 100)
        xdotool("mousemove", *point, "click", 3)
        time.sleep(0.7)
        item_x = point[0] + self.frame + 30
        item_y = point[1] + self.frame + 4 + 19 * (position - 1) + 9
        xdotool("mousemove", item_x, item_y, "click", 1)

    def read_number(self, shot, x, y, slots):
        value = 0
        for i in range(slots):
            sx, sy = self.status_screen(x + 16 * i, y)
            shown = shot.block(sx, sy, 16, 16)
            if shown == self.status_back.block(x + 16 * i, y, 16, 16):
                continue
            matches = [d for d in range(10) for r in (0, 1)
                       if shown == self.digits.block(16 * d, 16 * r, 16, 16)]
            if not matches:
                raise Failure(f"no digit at status ({x + 16 * i}, {y})")
            value = 10 * value + matches[0]
        return value

    def colour_counts(self, shot):
        return [self.read_number(shot, 80 + 62 * k, 66, 3) for k in range(5)]

    def colour_at(self, shot, col, row):
        x, y = cell_rect(col, row)
        shown = shot.at(*self.field_screen(x + 32, y + 16))
        if shown not in self.rest_centres:
            raise Failure(f"cell ({col}, {row}) shows no resting panel: {shown}")
        return self.rest_centres.index(shown)

    def close(self):
        """The close box; the program ends with exit code 0."""
        code = close_by_box(self.process, self.frame_rect)
        check(code == 0, f"exit code {code}")


class Dialog:
    """A dialog on the screen, found by its caption: its template's dialog units in screen pixels."""

    def __init__(self, caption, width_units, height_units, timeout=10):
        x, y, width, height = window_geometry(f"^{caption}$", timeout=timeout)
        self.frame_rect = (x, y, width, height)
        self.client = (x + DIALOG_FRAME, y + DIALOG_FRAME + CAPTION)
        client_width, client_height = width - 2 * DIALOG_FRAME, height - 2 * DIALOG_FRAME - CAPTION
        # The base units are whatever makes the template's size in units the client size.
        self.base_x = next(b for b in range(4, 40) if (width_units * b + 2) // 4 == client_width)
        self.base_y = next(b for b in range(8, 80) if (height_units * b + 4) // 8 == client_height)

    def point(self, x, y):
        """The screen point of a place given in dialog units."""
        return self.client[0] + (x * self.base_x + 2) // 4, self.client[1] + (y * self.base_y + 4) // 8

    def centre(self, x, y, width, height):
        """The screen point in the middle of a control given in dialog units."""
        (left, top), (right, bottom) = self.point(x, y), self.point(x + width, y + height)
        return (left + right) // 2, (top + bottom) // 2

    def click(self, x, y, width, height):
        xdotool("mousemove", *self.centre(x, y, width, height), "click", 1)
        time.sleep(0.3)


def choose_stage_file(rules, typed):
    """In the rule dialog: "ファイルから読み込む", then "参照", then a name typed into the chooser."""
    rules.click(12, 103, 84, 10)  # "ファイルから読み込む"
    rules.click(121, 116, 26, 14)  # "参照"
    time.sleep(1.5)
    # The chooser opens with its file name box focused and selected: typing replaces it.
    xdotool("type", "--delay", "20", typed)
    xdotool("key", "Return")
    time.sleep(1)


def dialog_closed(caption):
    return not subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{caption}$"],
                              capture_output=True).stdout.strip()


def run(main):
    """Runs a play-through; on a failure keeps a screenshot of the screen as it was."""
    try:
        main()
    except (Failure, subprocess.SubprocessError) as error:
        print("FAILED:", error)
        subprocess.run(["import", "-window", "root", "e2e-failure.png"])
        print("screenshot of the failure: e2e-failure.png in", os.getcwd())
        sys.exit(1)

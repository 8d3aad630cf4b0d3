#!/usr/bin/env python3
"""The game against a bare Win32 window in the same Wine prefix, driven by X input only: start-up
to a painted window, one Type A operation's wall time, CPU per animation tick, CPU while idle and
resident memory. Prints min / median / max of each and the ratio of the medians game / baseline.
Runs inside tools/bench/run-bench.sh, which provides the display, the prefix and the Wine server."""

import argparse
import os
import platform
import statistics
import subprocess
import sys
import time

from Xlib import X, display

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests",
                                "e2e"))
from player import (BITMAPS, CAPTION, DIALOG_FRAME, Game, Image, close_by_box,  # noqa: E402
                    screenshot, start_program, window_geometry, xdotool)

TICK_SECONDS = 0.05
OPERATION_TICKS = 26  # Type A: five panels of five ticks each, and the tick that ends it
OPERATION_SPACING = 1.45  # a click while an operation runs is ignored: wait for its end
# Both windows sit at the screen's top-left corner with the frame Wine draws.
CLIENT_ORIGIN = (DIALOG_FRAME, DIALOG_FRAME + CAPTION)
# A client point inside the title picture drawn last, and its colour there.
TITLE_PROBE = (320, 325)
TITLE_BACK_TOP = 171
BARE_GREY = (128, 128, 128)


def log(*parts):
    print(*parts, file=sys.stderr, flush=True)


class Screen:
    """Reads pixels of the display without a child process, fast enough to time a frame."""

    def __init__(self):
        self.display = display.Display()
        self.root = self.display.screen().root

    def area(self, x, y, width, height):
        return self.root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data

    def pixel(self, x, y):
        blue, green, red = self.area(x, y, 1, 1)[:3]
        return red, green, blue


def cpu_seconds(pid):
    """Time on a CPU of a process's threads, in nanoseconds from the scheduler: the clock ticks
    of /proc/PID/stat are too coarse for a redraw of a fraction of a millisecond."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
                total += int(schedstat.read().split()[0])
        except OSError:
            pass  # a thread that ended meanwhile
    return total / 1e9


def resident_mib(pid):
    with open(f"/proc/{pid}/status") as status:
        line = next(line for line in status if line.startswith("VmRSS:"))
    return int(line.split()[1]) / 1024


def wineserver_pid():
    """The server of this benchmark's prefix: it works in a folder named after the prefix's
    device and inode."""
    prefix = os.stat(os.environ["WINEPREFIX"])
    folder = f"server-{prefix.st_dev:x}-{prefix.st_ino:x}"
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{entry}/comm") as comm:
                if not comm.read().startswith("wineserver"):
                    continue
            if os.path.basename(os.readlink(f"/proc/{entry}/cwd")) == folder:
                return int(entry)
        except OSError:
            continue
    raise RuntimeError("no Wine server runs for " + os.environ["WINEPREFIX"])


class CpuMeter:
    """CPU time of the measured program, the Wine server and the X server together."""

    def __init__(self, program_pid):
        self.pids = [program_pid, wineserver_pid(), int(os.environ["KALEIDRA_XVFB_PID"])]

    def total(self):
        return sum(cpu_seconds(pid) for pid in self.pids)

    def program(self):
        return cpu_seconds(self.pids[0])

    def idle(self, seconds):
        """CPU per second of all three and of the program alone, in ms, over seconds of idling."""
        start, program_start = self.total(), self.program()
        time.sleep(seconds)
        return ((self.total() - start) * 1000 / seconds,
                (self.program() - program_start) * 1000 / seconds)


def launch_until_painted(screen, exe, colour, *args):
    """Starts a program and waits for its painted client; returns the process and the seconds."""
    probe = (CLIENT_ORIGIN[0] + TITLE_PROBE[0], CLIENT_ORIGIN[1] + TITLE_PROBE[1])
    xdotool("mousemove", 1000, 740)  # off both windows
    start = time.monotonic()
    process = start_program(exe, *args)
    while screen.pixel(*probe) != colour:
        if process.poll() is not None or time.monotonic() - start > 60:
            raise RuntimeError(f"{exe} did not paint")
        time.sleep(0.001)
    return process, time.monotonic() - start


class Bare:
    """The baseline program: its window, and with tick its 50 ms piece."""

    def __init__(self, screen, exe, tick=False):
        self.process, self.startup = launch_until_painted(screen, exe, BARE_GREY,
                                                          *(["tick"] if tick else []))
        self.frame_rect = window_geometry("^Bare Window$")

    def close(self):
        close(self.process, self.frame_rect)


def close(process, frame_rect):
    code = close_by_box(process, frame_rect)
    if code != 0:
        raise RuntimeError(f"a program ended with exit code {code}")


def record_idle(results, key, column, idle):
    results[key][column].append(idle[0])
    results[key + "_alone"][column].append(idle[1])


def check_placement(frame_rect):
    if frame_rect[:2] != (0, 0):
        raise RuntimeError(f"a window opened at {frame_rect[:2]}, not at the screen's corner")


def startup_run(screen, args, title_colour, results):
    """One bare window and one game: start-up, idle CPU and memory on the title."""
    bare = Bare(screen, args.bare)
    check_placement(bare.frame_rect)
    time.sleep(args.settle)
    results["startup"][0].append(bare.startup * 1000)
    record_idle(results, "idle_title", 0, CpuMeter(bare.process.pid).idle(args.idle))
    results["rss_start"][0].append(resident_mib(bare.process.pid))
    bare.close()

    process, startup = launch_until_painted(screen, args.game, title_colour)
    game = Game(args.game, process=process)
    check_placement(game.frame_rect)
    time.sleep(args.settle)
    results["startup"][1].append(startup * 1000)
    record_idle(results, "idle_title", 1, CpuMeter(process.pid).idle(args.idle))
    results["rss_start"][1].append(resident_mib(process.pid))
    close(game.process, game.frame_rect)


def operation_count(game):
    return game.read_number(screenshot(), 336, 128, 4)


def run_operations(game, count):
    """count clicks on the cursor cell, each after the previous operation has ended."""
    for _ in range(count):
        xdotool("click", 1)
        time.sleep(OPERATION_SPACING)


def timed_operation(screen, game):
    """Seconds from the operation count's redraw at the click to the colour counts' redraw at the
    25th tick, scaled to the 26 ticks of the whole operation (the last tick draws nothing)."""
    counts = game.status_screen(80, 66) + (296, 16)  # the five counts, x 80 to 376
    operations = game.status_screen(336, 128) + (64, 16)
    shown = lambda: (screen.area(*counts), screen.area(*operations))
    before = shown()
    click = subprocess.Popen(["xdotool", "click", "1"])
    start = time.monotonic()
    changes = []
    while time.monotonic() - start < OPERATION_SPACING:
        now = shown()
        if now != before:
            changes.append(time.monotonic())
            before = now
        time.sleep(0.001)
    click.wait()
    if len(changes) < 2 or changes[-1] - changes[0] < 1.0:
        raise RuntimeError(f"an operation showed {len(changes)} changes")
    return (changes[-1] - changes[0]) * OPERATION_TICKS / (OPERATION_TICKS - 1)


def start_a_game(args):
    game = Game(args.game)
    time.sleep(args.settle)
    game.title_menu(2)
    time.sleep(1.5)
    return game


def game_run(screen, args, results):
    """Idle CPU in a game, CPU per tick over a row of operations, and operations' wall times."""
    game = start_a_game(args)
    record_idle(results, "idle_game", 1, CpuMeter(game.process.pid).idle(args.idle))
    game.click_cell(6, 8)
    time.sleep(OPERATION_SPACING)
    meter = CpuMeter(game.process.pid)
    start = meter.total()
    run_operations(game, args.tick_operations)
    spent = meter.total() - start
    done = operation_count(game) - 1
    if done != args.tick_operations:
        raise RuntimeError(f"{done} of {args.tick_operations} operations were accepted")
    results["tick_cpu"][1].append(spent * 1000 / (OPERATION_TICKS * done))
    for _ in range(args.timed_operations):
        results["operation"][1].append(timed_operation(screen, game) * 1000)
    close(game.process, game.frame_rect)

    bare = Bare(screen, args.bare, tick=True)
    time.sleep(args.settle)
    seconds = args.tick_operations * OPERATION_SPACING
    meter = CpuMeter(bare.process.pid)
    start = meter.total()
    time.sleep(seconds)
    spent = meter.total() - start
    results["tick_cpu"][0].append(spent * 1000 / (seconds / TICK_SECONDS))
    bare.close()


def memory_run(screen, args, results):
    """Resident memory of the game after many operations, and of the bare window after as many
    ticks."""
    game = start_a_game(args)
    results["rss_game"][1].append(resident_mib(game.process.pid))
    game.click_cell(6, 8)
    time.sleep(OPERATION_SPACING)
    run_operations(game, args.operations - 1)
    if operation_count(game) != args.operations:
        raise RuntimeError("an operation was not accepted")
    results["rss_operations"][1].append(resident_mib(game.process.pid))
    close(game.process, game.frame_rect)

    bare = Bare(screen, args.bare, tick=True)
    time.sleep(args.settle)
    results["rss_game"][0].append(resident_mib(bare.process.pid))
    time.sleep(args.operations * OPERATION_SPACING)
    results["rss_operations"][0].append(resident_mib(bare.process.pid))
    bare.close()


def summary(values):
    if not values:
        return "—", None
    median = statistics.median(values)
    digits = 2 if max(values) < 10 else 1
    return " / ".join(f"{value:.{digits}f}" for value in (min(values), median, max(values))), median


def print_table(results, args):
    rows = [
        ("startup", "start-up to the painted window (ms)"),
        ("operation", "one Type A operation, wall time (ms)"),
        ("tick_cpu", "CPU per animation tick (ms; program + wineserver + Xvfb)"),
        ("idle_title", "CPU idle on the title (ms per s)"),
        ("idle_title_alone", "CPU idle on the title, the program alone (ms per s)"),
        ("idle_game", "CPU idle in a game (ms per s)"),
        ("idle_game_alone", "CPU idle in a game, the program alone (ms per s)"),
        ("rss_start", "resident memory after start-up (MiB)"),
        ("rss_game", "resident memory when a game starts (MiB)"),
        ("rss_operations", f"resident memory after {args.operations} operations (MiB)"),
    ]
    print("| measure | baseline min / median / max | game min / median / max | game / baseline |")
    print("|---|---|---|---|")
    for key, label in rows:
        baseline, game = results[key]
        if key.startswith("idle_game"):
            # The bare window has no game to idle in.
            baseline = results[key.replace("game", "title")][0]
        baseline_text, baseline_median = summary(baseline)
        game_text, game_median = summary(game)
        ratio = (f"{game_median / baseline_median:.2f}"
                 if baseline_median and game_median is not None else "—")
        print(f"| {label} | {baseline_text} | {game_text} | {ratio} |")


def machine():
    model = next((line.split(":", 1)[1].strip() for line in
                  subprocess.run(["lscpu"], capture_output=True, text=True).stdout.splitlines()
                  if line.startswith("Model name")), platform.processor())
    return f"{os.cpu_count()} CPUs ({model}), load average {os.getloadavg()[0]:.2f}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--game", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--runs", type=int, default=9, help="interleaved start-ups of each")
    parser.add_argument("--game-runs", type=int, default=5,
                        help="games played, each followed by a ticking bare window")
    parser.add_argument("--tick-operations", type=int, default=8,
                        help="operations per game over which CPU per tick is measured")
    parser.add_argument("--timed-operations", type=int, default=3,
                        help="operations per game whose wall time is measured")
    parser.add_argument("--operations", type=int, default=50,
                        help="operations of the memory run (1000: about 50 minutes in all)")
    parser.add_argument("--idle", type=float, default=2.0, help="seconds of each idle measure")
    parser.add_argument("--settle", type=float, default=1.0,
                        help="seconds after start-up before measuring")
    args = parser.parse_args()

    title = Image.load(os.path.join(BITMAPS, "title_back.bmp"))
    title_colour = title.at(TITLE_PROBE[0], TITLE_PROBE[1] - TITLE_BACK_TOP)
    screen = Screen()
    results = {key: ([], []) for key in ("startup", "operation", "tick_cpu", "idle_title",
                                         "idle_title_alone", "idle_game", "idle_game_alone",
                                         "rss_start", "rss_game", "rss_operations")}
    results["operation"][0].append(OPERATION_TICKS * TICK_SECONDS * 1000)
    log("machine:", machine())
    for run in range(args.runs):
        log(f"start-up {run + 1} of {args.runs}")
        startup_run(screen, args, title_colour, results)
    for run in range(args.game_runs):
        log(f"game {run + 1} of {args.game_runs}")
        game_run(screen, args, results)
    if args.operations > 0:
        log(f"memory run: {args.operations} operations")
        memory_run(screen, args, results)
    print(f"Machine: {machine()}")
    print_table(results, args)


if __name__ == "__main__":
    main()

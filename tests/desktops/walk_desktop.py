#!/usr/bin/python3
"""Walks the shell under one desktop as a child would, and checks that the
desktop gives it back after each program it starts.

Each desktop runs headless, started here as an ordinary user, in a mount
namespace whose /usr/local/bin holds a stand-in volume control. Inside it a
session script starts the shell, records the screen mode and the pointer
mapping before and after it, and its exit status. From outside, xdotool (as
the same user) walks: the first screen has the keyboard, a name typed
without a click, the menu speaks on pointing, three activities and the
volume control each cover the screen and come back, the farewell ends with
status 0 and the desktop as it was.

usage: walk_desktop.py DESKTOP --shell SHELL --package FOLDER --build FOLDER --out FOLDER
DESKTOP is one of: bare openbox xfwm4 mutter-x11 mutter-wayland sway cage.
Under cage the session runs the launcher of an install of the build folder
made here, as the kiosk session entry does, and a screenshot is kept.
"""
import argparse
import glob
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from desktop_session import DEADLINE, DESKTOPS, Session, SessionFailed

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))
import places  # noqa: E402

RETURN_GOAL = 0.7  # seconds from an activity's end to the shell on screen again

# Canvas positions of what the child clicks or points at, shared with the
# end-to-end tests and the tour.
AT = places.click_targets()
WALKED_ITEMS = ("Image1", "Image3")
SHELL_TITLE = "Pipkin! Sprout v2.3"

class WalkFailed(Exception):
    pass


def start_session(desktop, args, work):
    """The desktop with the shell on it: the screen mode and the pointer
    mapping recorded before and after the shell, and its exit status."""
    trace, status = work / "trace.txt", work / "status"
    standin = work / "bin"
    standin.mkdir()
    (standin / "pavucontrol").write_text("#!/bin/sh\nexec xmessage -title volume -center volume\n")
    (standin / "pavucontrol").chmod(0o755)
    if desktop == "cage":
        subprocess.run(["cmake", "--install", args.build, "--prefix", "/usr", "--component", "program"],
                       env={**os.environ, "DESTDIR": str(work / "root")}, check=True, stdout=subprocess.DEVNULL)
        program, folder = work / "root/usr/games/pipkin-sprout", "."
    else:
        shutil.copytree(args.package, work / "package", symlinks=True)
        program, folder = args.shell, work / "package"
    body = f"""xrandr --current | head -1 > {work}/screen-before; xmodmap -pp > {work}/pointer-before
cd {folder}
SPROUT_TRACE={trace} SDL_AUDIODRIVER=dummy {program}
echo $? > {status}.new
xrandr --current | head -1 > {work}/screen-after; xmodmap -pp > {work}/pointer-after
mv {status}.new {status}"""
    session = Session(desktop, work, body, local_bin=standin)
    session.trace, session.status_file = trace, status
    return session


def walked_items(build):
    """The two items the walk points at and starts: zone, its middle, its name's voice."""
    rows = {row["component"]: row for row in places.catalogue(Path(build) / "generated" / "catalogue.tsv")}
    return [(zone, rows[zone]["centre"], rows[zone]["prompt"] + ".wav") for zone in WALKED_ITEMS]


class Walk:
    def __init__(self, session, items):
        self.s = session
        self.items = items
        self.screen = None
        self.shell_window = None
        self.returns = []

    def lines(self):
        try:
            return self.s.trace.read_text().splitlines()
        except FileNotFoundError:
            return []

    def wait(self, pattern, after=0, what=None):
        end = time.monotonic() + DEADLINE
        while time.monotonic() < end:
            for n, line in enumerate(self.lines()):
                if n >= after and re.search(pattern, line):
                    return n
            time.sleep(0.02)
        raise WalkFailed(f"no '{what or pattern}' in the trace")

    def at(self, point):
        sx, sy = self.screen
        scale = min(sx / 800, sy / 600)
        return [str(round((sx - 800 * scale) / 2 + point[0] * scale)), str(round((sy - 600 * scale) / 2 + point[1] * scale))]

    def point(self, p):
        self.s.x("xdotool", "mousemove", *self.at(p))

    def click(self, p):
        self.s.x("xdotool", "mousemove", *self.at(p), "click", "1")

    def window_state(self, window):
        """Where the window is and whether the desktop shows it with the keyboard."""
        info = self.s.x("xwininfo", "-id", window)
        found = [re.search(rf"{k}:\s+(-?\d+)", info)
                 for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]
        # A window that went away meanwhile (the last program's) is nowhere.
        geometry = [int(f.group(1)) for f in found] if all(found) else []
        states = self.s.x("xprop", "-id", window, "_NET_WM_STATE")
        focused = self.s.x("xdotool", "getwindowfocus") == window
        return geometry, states, focused, "IsViewable" in info

    def on_screen(self, window):
        geometry, states, focused, viewable = self.window_state(window)
        return (viewable and focused and geometry == [0, 0, *self.screen]
                and "HIDDEN" not in states and "DEMANDS_ATTENTION" not in states)

    def wait_until(self, shown, what):
        end = time.monotonic() + DEADLINE
        while time.monotonic() < end:
            if shown():
                return time.monotonic()
            time.sleep(0.01)
        raise WalkFailed(f"{what}: the window is not full screen with the keyboard")

    def wait_on_screen(self, window, what):
        return self.wait_until(lambda: self.on_screen(window), what)

    def find_window(self, title):
        end = time.monotonic() + DEADLINE
        while time.monotonic() < end:
            found = self.s.x("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$").split()
            if found:
                return found[-1]  # the newest
            time.sleep(0.05)
        raise WalkFailed(f"no window '{title}'")

    def silent_between(self, start, end):
        spoken = [l for l in self.lines()[start:end] if re.search(r"\t(voice|effect)\t", l)]
        if spoken:
            raise WalkFailed(f"the shell spoke while a program ran: {spoken}")

    def round_trip(self, start_it, program_window, end_it, what, covers=True):
        """Starts a program, checks it is shown (covering the screen, for an
        activity) and the shell is silent, ends it and times the shell's
        return."""
        mark = len(self.lines())
        start_it()
        started = self.wait(r"\tstart\t", mark, f"{what} started")
        self.wait(r"\twindow\t(minimised|stays)", mark, "the shell giving way")
        if covers:
            self.wait_until(lambda: self.on_screen(self.find_window(program_window)), f"the {what}")
        window = self.find_window(program_window)
        # The shell looks for a program's end every half second: each round
        # ends the program at another point of that cycle, as a child would.
        time.sleep(len(self.returns) * 0.17)
        ended_at = time.monotonic()
        end_it(window)
        back = self.wait_on_screen(self.shell_window, f"the shell after the {what}")
        finished = self.wait(r"\tfinished\t", started, f"the end of the {what}")
        self.silent_between(started, finished)
        self.wait(r"\twindow\tmaximised", finished, "the shell's return")
        self.returns.append((what, back - ended_at))
        return finished

    def run(self):
        self.wait(r"\tvisible\tengbut\t1", what="the language buttons")
        self.screen = [int(v) for v in re.search(r"dimensions:\s+(\d+)x(\d+)", self.s.x("xdpyinfo")).groups()]
        self.shell_window = self.find_window(SHELL_TITLE)
        self.wait_on_screen(self.shell_window, "the first screen")

        self.click(AT["engbut"])
        self.wait(r"\tfocus\tnameedit", what="the name box")
        self.s.x("xdotool", "type", "--delay", "40", "anna")
        self.click(AT["okbut"])
        self.wait(r"\tprompts-end", what="the end of the menu instruction")
        self.point(self.items[1][1])
        if self.s.desktop == "cage":
            # cage's headless output renders nothing a screenshot could take,
            # so the picture is the window's own, as Xwayland holds it.
            self.s.x("import", "-window", self.shell_window, str(self.s.work / "kiosk.png"))
        registers = glob.glob(str(self.s.work / "data/**/students.dat"), recursive=True)
        if not registers or b"anna" not in Path(registers[0]).read_bytes():
            raise WalkFailed("the name typed without a click is not in the register")

        mark = len(self.lines())
        self.point(self.items[0][1])
        self.wait(rf"\tvoice\t.*{self.items[0][2]}", mark, "the item's name on pointing")
        for n in range(3):
            zone, place, _ = self.items[n % 2]
            other = self.items[(n + 1) % 2]
            finished = self.round_trip(lambda: self.click(place), "Activity",
                                       lambda w: self.s.x("xdotool", "key", "Escape"), "activity")
            self.wait(r"\tprompts-end", finished, "the menu instruction after the activity")
            self.point(other[1])
            self.wait(rf"\tvoice\t.*{other[2]}", finished, "the next item's name on pointing")
            instructions = [l for l in self.lines()[finished:] if re.search(r"\tvoice\t.*a_2\.wav", l)]
            if len(instructions) != 1:
                raise WalkFailed(f"the instruction was spoken {len(instructions)} times after the activity")

        self.click(AT["backbut"])
        self.wait(r"\tvisible\tmutebut\t1", what="the volume button")
        self.round_trip(lambda: self.click(AT["mutebut"]), "volume",
                        lambda w: subprocess.run(["pkill", "-x", "xmessage"]), "volume control", covers=False)

        self.click(AT["afrbut"])
        self.wait(r"\tfocus\tnameedit", len(self.lines()) - 1, "the Afrikaans name screen")
        self.click(AT["exitbut"])
        self.wait(r"\tvisible\tadvertform\t1", what="the farewell window")
        self.click(AT["farewell_exit"])
        self.wait(r"\texit$", what="the exit")
        status_file = self.s.status_file
        end = time.monotonic() + DEADLINE
        while not status_file.exists() and time.monotonic() < end:
            time.sleep(0.05)
        if not status_file.exists() or status_file.read_text().strip() != "0":
            raise WalkFailed("the shell did not end with status 0")
        for kind in ("screen", "pointer"):
            before = (self.s.work / f"{kind}-before").read_text()
            after = (self.s.work / f"{kind}-after").read_text()
            if before != after:
                raise WalkFailed(f"the {kind} is not as before: {before!r} then {after!r}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("desktop", choices=DESKTOPS)
    parser.add_argument("--shell", required=True)
    parser.add_argument("--package", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    if os.geteuid() != 0:
        print("the desktops walk needs root, to start each desktop as an ordinary user")
        return 77
    items = walked_items(args.build)
    out = Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    work = Path(tempfile.mkdtemp(prefix=f"sprout-{args.desktop}-"))
    work.chmod(0o755)
    session = start_session(args.desktop, args, work)
    walk = Walk(session, items)
    try:
        walk.run()
        if args.desktop == "cage":
            session.process.wait(timeout=DEADLINE)  # the session ends with the shell
        verdict = 0
    except (WalkFailed, SessionFailed, subprocess.TimeoutExpired) as failure:
        print(f"{args.desktop}: {failure}")
        verdict = 1
    finally:
        session.end()
        for name in ("trace.txt", "desktop.log", "kiosk.png"):
            if (work / name).exists():
                shutil.copy(work / name, out / f"{args.desktop}-{name}")
        shutil.rmtree(work, ignore_errors=True)
    times = [t for what, t in walk.returns if what == "activity"]
    report = {"desktop": args.desktop, "returns": walk.returns,
              "median_activity_return_s": statistics.median(times) if times else None}
    (out / f"{args.desktop}.json").write_text(json.dumps(report, indent=1))
    print(json.dumps(report))
    if times and statistics.median(times) > RETURN_GOAL:
        print(f"{args.desktop}: the shell came back in {statistics.median(times):.2f} s (median), over {RETURN_GOAL} s")
        verdict = 1
    print(f"{args.desktop}: {'passed' if verdict == 0 else 'FAILED'}")
    return verdict


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""First frame of the shell under each desktop parents run, beside the floor
measured the same way under the same desktop: a minimal SDL2 program that
opens one window and shows the intro's first picture (tools/floor_window).
Both are timed by tools/first_frame, exec to the program's first-frame trace
line (and to the first pixels read back, where the screen can be read: not
through Xwayland), median of RUNS starts in the demo package. Needs root, to
start each desktop as an ordinary user.

usage: bench/first_pixels_desktops.py [BUILD_FOLDER] [RUNS] [DESKTOP...]
"""
import shutil
import statistics
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests/desktops"))
from desktop_session import DESKTOPS, Session  # noqa: E402

GOAL = 1.3


def measure(desktop, build, runs):
    work = Path(tempfile.mkdtemp(prefix=f"sprout-bench-{desktop}-"))
    work.chmod(0o755)
    shutil.copytree(build / "demo-package", work / "package", symlinks=True)
    lines = [f"export SDL_AUDIODRIVER=dummy; cd {work}/package"]
    for name, program in (("shell", build / "pipkin-sprout"), ("floor", build / "bench/floor_window")):
        (work / name).mkdir()
        lines.append(f"{build}/bench/first_frame {program} {work}/{name}/trace.txt {runs} > {work}/{name}.txt"
                     f" 2> {work}/{name}.log")
    lines.append(f"touch {work}/done")
    session = Session(desktop, work, "\n".join(lines))
    try:
        end = time.monotonic() + 30 + runs * 10
        while not (work / "done").exists() and time.monotonic() < end:
            time.sleep(0.2)
        columns = {}
        for name in ("shell", "floor"):
            rows = [line.split() for line in (work / f"{name}.txt").read_text().splitlines()]
            if not rows:
                raise RuntimeError(f"{desktop}: no {name} start measured: " + (work / f"{name}.log").read_text()[-500:])
            columns[name] = [statistics.median(float(r[i]) for r in rows) for i in (0, 1)]
        return columns
    finally:
        session.end()
        shutil.rmtree(work, ignore_errors=True)


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else "build").resolve()
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    desktops = sys.argv[3:] or DESKTOPS
    print(f"| desktop | shell first frame (ms) | floor first frame (ms) | ratio (goal <= {GOAL}) "
          "| shell first pixels | floor first pixels |")
    print("|---|---|---|---|---|---|")
    worst = 0.0
    for desktop in desktops:
        m = measure(desktop, build, runs)
        ratio = m["shell"][0] / m["floor"][0]
        worst = max(worst, ratio)
        pixels = [f"{v:.1f}" if v >= 0 else "not readable" for v in (m["shell"][1], m["floor"][1])]
        print(f"| {desktop} | {m['shell'][0]:.1f} | {m['floor'][0]:.1f} | {ratio:.2f} | {pixels[0]} | {pixels[1]} |",
              flush=True)
    return 0 if worst <= GOAL else 1


if __name__ == "__main__":
    sys.exit(main())

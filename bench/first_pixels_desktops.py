#!/usr/bin/python3
"""First frame of the shell under each desktop parents run, beside the floor
measured the same way under the same desktop: a minimal SDL2 program that
opens one window and shows the intro's first picture (tools/floor_window).
Both are timed by tools/first_frame, exec to the program's first-frame trace
line (and to the first pixels read back, where the screen can be read: not
through Xwayland), median of RUNS starts each in the demo package, the two
programs started in turn. Needs root, to start each desktop as an ordinary
user and to give the watcher a real-time priority.

usage: bench/first_pixels_desktops.py [BUILD_FOLDER] [RUNS] [DESKTOP...]
"""
import shutil
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests/desktops"))
from desktop_session import DESKTOPS, Session, as_nobody  # noqa: E402

GOAL = 1.3


def measure(desktop, build, runs):
    work = Path(tempfile.mkdtemp(prefix=f"sprout-bench-{desktop}-"))
    work.chmod(0o755)
    shutil.copytree(build / "demo-package", work / "package", symlinks=True)
    programs = (("shell", build / "pipkin-sprout"), ("floor", build / "bench/floor_window"))
    for name, _ in programs:
        (work / name).mkdir()
    # The session lasts until the measuring is done (cage ends with its program).
    session = Session(desktop, work, f"while [ ! -e {work}/done ]; do sleep 0.2; done")
    try:
        env = {"PATH": "/usr/bin:/bin", "HOME": str(work), "XDG_RUNTIME_DIR": str(work / "runtime"),
               "SDL_AUDIODRIVER": "dummy", **session.env}
        # One start of each in turn, the first of the pair taking turns too,
        # so that a machine busier for a while weighs on both alike. The
        # watcher runs at a real-time priority that the programs it starts do
        # not inherit: it notices the trace line as it is written, however
        # busy the program keeps the processors after its first frame.
        for run in range(runs):
            for name, program in programs[::1 if run % 2 == 0 else -1]:
                with open(work / f"{name}.txt", "a") as out, open(work / f"{name}.log", "a") as log:
                    watch = as_nobody(build / "bench/first_frame", program, work / name / "trace.txt", "1")
                    subprocess.run(["chrt", "--reset-on-fork", "--fifo", "10", *watch], cwd=work / "package", env=env,
                                   stdout=out, stderr=log, timeout=30)
        columns = {}
        for name, _ in programs:
            rows = [[float(v) for v in line.split()] for line in (work / f"{name}.txt").read_text().splitlines()]
            traced = [r for r in rows if r[0] >= 0]
            if len(traced) < len(rows):
                print(f"{desktop}: {len(rows) - len(traced)} of {len(rows)} {name} starts showed no first frame",
                      file=sys.stderr)
            if not traced:
                raise RuntimeError(f"{desktop}: no {name} start measured: " + (work / f"{name}.log").read_text()[-500:])
            columns[name] = [statistics.median(r[0] for r in traced),
                             statistics.median(r[1] if r[1] >= 0 else -1.0 for r in traced)]
        return columns
    finally:
        (work / "done").touch()
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

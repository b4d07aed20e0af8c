"""One desktop parents run, started headless as an ordinary user (65534) in
a mount namespace of its own, running a session script of the caller's:
a bare X server, openbox, xfwm4 or mutter on Xvfb, or mutter, sway or cage
on Wayland with Xwayland. The script learns DISPLAY and the rest from the
desktop; the caller reaches the X server as the same user through x()."""
import os
import signal
import subprocess
import time

NOBODY = 65534
DEADLINE = 20.0

X11_MANAGERS = {
    "bare": None,
    "openbox": "openbox --sm-disable",
    "xfwm4": "dbus-run-session -- xfwm4",
    "mutter-x11": "dbus-run-session -- mutter --x11 --replace",
}
DESKTOPS = list(X11_MANAGERS) + ["mutter-wayland", "sway", "cage"]


class SessionFailed(Exception):
    pass


def as_nobody(*command):
    return ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", *command]


class Session:
    """`body` runs inside the session once its X server (and window manager)
    is up; /usr/local/bin shows the folder `local_bin` when one is given.
    Under cage the body is the session's one program: the session ends
    with it."""

    def __init__(self, desktop, work, body, local_bin=None):
        self.desktop = desktop
        self.work = work
        self.env_file = work / "session-env"
        runtime = work / "runtime"
        runtime.mkdir(mode=0o700)
        inner = work / "session.sh"
        inner.write_text(f"""#!/bin/bash
echo "DISPLAY=$DISPLAY XAUTHORITY=$XAUTHORITY WAYLAND_DISPLAY=$WAYLAND_DISPLAY" > {self.env_file}.new
mv {self.env_file}.new {self.env_file}
{self.wait_for_manager()}
{body}
""")
        inner.chmod(0o755)
        subprocess.run(["chown", "-R", f"{NOBODY}:{NOBODY}", str(work)], check=True)
        env = {"PATH": "/usr/bin:/bin", "HOME": str(work), "XDG_DATA_HOME": str(work / "data"),
               "XDG_RUNTIME_DIR": str(runtime), "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman",
               "WLR_LIBINPUT_NO_DEVICES": "1", "NO_AT_BRIDGE": "1"}
        mount = f"mount --bind {local_bin} /usr/local/bin && " if local_bin else ""
        inside = mount + "exec " + " ".join(as_nobody("bash", "-c", "'" + self.session_command(inner) + "'"))
        self.process = subprocess.Popen(["unshare", "-m", "sh", "-c", inside], env=env, start_new_session=True,
                                        stdout=open(work / "desktop.log", "w"), stderr=subprocess.STDOUT)
        self.env = self.wait_for_env()

    def wait_for_manager(self):
        if self.desktop not in X11_MANAGERS or not X11_MANAGERS[self.desktop]:
            return ""
        return ("for i in $(seq 200); do xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window && break; sleep 0.05; done; "
                "sleep 0.5")

    def session_command(self, inner):
        if self.desktop in X11_MANAGERS:
            display = ":" + str(next(n for n in range(90, 200) if not os.path.exists(f"/tmp/.X{n}-lock")))
            manager = X11_MANAGERS[self.desktop]
            start = f"Xvfb {display} -screen 0 1024x768x24 -noreset -nolisten tcp & export DISPLAY={display}; " \
                    f"for i in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done; "
            if manager:
                start += f"{manager} & "
            return start + f"{inner}"
        if self.desktop == "mutter-wayland":
            return f"exec dbus-run-session -- mutter --headless --wayland --virtual-monitor 1024x768 " \
                   f"--wayland-display=sprout-walk -- {inner}"
        if self.desktop == "sway":
            config = self.work / "sway.conf"
            config.write_text(f"xwayland enable\noutput HEADLESS-1 resolution 1024x768\nexec {inner}\n")
            os.chown(config, NOBODY, NOBODY)
            return f"exec sway -c {config}"
        return f"exec cage -d -- {inner}"

    def wait_for_env(self):
        end = time.monotonic() + DEADLINE
        while time.monotonic() < end:
            if self.env_file.exists():
                fields = dict(f.split("=", 1) for f in self.env_file.read_text().split())
                return {k: v for k, v in fields.items() if v}
            if self.process.poll() is not None:
                break
            time.sleep(0.05)
        raise SessionFailed("the desktop did not start: " + (self.work / "desktop.log").read_text()[-2000:])

    def x(self, *command):
        env = {"PATH": "/usr/bin:/bin", "HOME": str(self.work), "XDG_RUNTIME_DIR": str(self.work / "runtime"), **self.env}
        done = subprocess.run(as_nobody(*command), env=env, capture_output=True, text=True, timeout=DEADLINE)
        return done.stdout.strip()

    def end(self):
        try:
            os.killpg(self.process.pid, signal.SIGTERM)
            self.process.wait(timeout=5)
        except (ProcessLookupError, subprocess.TimeoutExpired):
            os.killpg(self.process.pid, signal.SIGKILL)

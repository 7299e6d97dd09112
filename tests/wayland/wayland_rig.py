"""Headless Wayland compositors for end-to-end runs: sway 1.7 as an
unprivileged user (it refuses root), weston 10 as root. Builds on
tests/e2e/rig.py; every wait is bounded."""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import rig

USER = "quillomar-test"


def require(*tools):
    if not all(shutil.which(t) for t in tools):
        print("SKIPPED: needs " + " ".join(tools))
        sys.exit(rig.SKIP)


def png_image(path):
    out = subprocess.run(["/usr/bin/convert", path, "-depth", "8", "-format", "%w %h\n", "-write", "info:-",
                          "rgb:-"], stdout=subprocess.PIPE, timeout=30, check=True).stdout
    header, rgb = out.split(b"\n", 1)
    return rig.Image(*(int(v) for v in header.split()), rgb)


def stars_on_black(shot):
    """Stars, and black around them: a compositor's own background is lit too."""
    return shot.count(lambda p: p == (0, 0, 0)) > shot.width * shot.height // 2 and shot.count(rig.lit) > 100


wait_exit = rig.Display.wait_exit


def buffer_sizes(log):
    """The sizes of the buffers a client made, in order, one-pixel ones left
    out, from its WAYLAND_DEBUG log (llvmpipe's EGL draws into wl_shm)."""
    if not os.path.exists(log):
        return []
    with open(log, errors="replace") as f:
        found = re.findall(r"create_buffer\(new id wl_buffer@\d+, \d+, (\d+), (\d+)", f.read())
    return [(int(w), int(h)) for w, h in found if (w, h) != ("1", "1")]


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class Compositor:
    """A private folder with a runtime folder and the program's copy (which the
    user can reach wherever the build tree lives); the processes started in it
    end with it."""
    socket, server_env, uid, gid = None, {}, os.getuid(), os.getgid()

    def __init__(self, program):
        self.dir = tempfile.mkdtemp(prefix="quillomar-wayland-")
        self.runtime = os.path.join(self.dir, "runtime")
        os.mkdir(self.runtime, 0o700)
        for name in (self.dir, self.runtime):
            os.chown(name, self.uid, self.gid)
        os.chmod(self.dir, 0o755)
        self.program = shutil.copy(program, self.dir)
        self.procs = []

    def env(self, extra=None):
        return dict({"PATH": "/usr/local/bin:/usr/bin:/bin", "HOME": self.dir, "XDG_RUNTIME_DIR": self.runtime,
                     "WAYLAND_DISPLAY": self.socket, "SWAYSOCK": os.path.join(self.runtime, "sway.sock")},
                    **(extra or {}))

    def popen(self, cmd, env=None):
        p = subprocess.Popen(cmd, env=self.env(env), user=self.uid, group=self.gid, extra_groups=[], cwd=self.dir,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.procs.append(p)
        return p

    def run(self, cmd):
        r = subprocess.run(cmd, env=self.env(), user=self.uid, group=self.gid, extra_groups=[], cwd=self.dir,
                           stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=20)
        if r.returncode != 0:
            raise AssertionError("%s failed: %s" % (" ".join(cmd), r.stderr.decode(errors="replace")))
        return r.stdout.decode(errors="replace")

    def saver(self, *args):
        return self.popen([self.program] + list(args))

    def first_buffers(self, *args):
        """The saver run until it has made its buffers, then ended by SIGTERM,
        which must give 0: its WAYLAND_DEBUG log and their sizes."""
        saver, log = self.saver_logging_protocol(*args)
        rig.wait_until(lambda: buffer_sizes(log), 20, 0.2, "a buffer")
        saver.send_signal(15)
        if wait_exit(saver, 10) != 0:
            raise AssertionError("the saver ended with %d" % saver.returncode)
        with open(log, errors="replace") as f:
            return f.read(), set(buffer_sizes(log))

    def saver_logging_protocol(self, *args):
        """The saver with its WAYLAND_DEBUG log in a file (a pipe would fill
        up and stall it), and the log's path."""
        log = os.path.join(self.dir, "protocol.log")
        return self.popen(["sh", "-c", 'exec "$0" "$@" 2>"$LOG"', self.program] + list(args),
                          env={"WAYLAND_DEBUG": "1", "LOG": log}), log

    def __enter__(self):
        self.server = self.popen(self.server_command, env=self.server_env)
        deadline = time.monotonic() + 20
        while not os.path.exists(os.path.join(self.runtime, self.ready_file)):
            if self.server.poll() is not None or time.monotonic() > deadline:
                self.__exit__()
                print("SKIPPED: the compositor did not start")
                sys.exit(rig.SKIP)
            time.sleep(0.1)
        return self

    def __exit__(self, *exc):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.kill()
                p.wait(timeout=10)
            p.stderr.close()
        shutil.rmtree(self.dir, True)


class Sway(Compositor):
    """Headless sway with OUTPUTS outputs, HEADLESS-1 at 0,0."""
    socket, ready_file = "wayland-1", "sway.sock"

    def __init__(self, program, outputs=2):
        if os.geteuid() == 0:
            if subprocess.run(["id", USER], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode:
                subprocess.run(["useradd", "--system", "--no-create-home", "--shell", "/usr/sbin/nologin", USER],
                               check=True, timeout=30)
            self.uid, self.gid = (int(subprocess.check_output(["id", flag, USER])) for flag in ("-u", "-g"))
        Compositor.__init__(self, program)
        with open(os.path.join(self.dir, "config"), "w") as f:
            f.write("xwayland disable\ndefault_border none\nfocus_follows_mouse no\n")
        self.server_command = ["sway", "-c", os.path.join(self.dir, "config")]
        self.server_env = {"WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1",
                           "WLR_HEADLESS_OUTPUTS": str(outputs)}

    def msg(self, *words):
        return self.run(["swaymsg"] + list(words))

    def views(self):
        """(output name, view) for every view in the tree."""
        def walk(node, output):
            output = node["name"] if node.get("type") == "output" else output
            found = [(output, node)] if node.get("pid") else []
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                found += walk(child, output)
            return found
        return walk(json.loads(self.msg("-t", "get_tree")), None)

    def screenshot(self, output):
        path = os.path.join(self.dir, "shot.png")
        self.run(["grim", "-o", output, path])
        return png_image(path)


class NestedSway(Sway):
    """Sway showing its two outputs WL-1 (at 0,0) and WL-2 as windows of
    PARENT: closing such a window unplugs that output."""

    def __init__(self, program, parent):
        Sway.__init__(self, program)
        self.server_env = {"WLR_BACKENDS": "wayland", "WLR_RENDERER": "pixman", "WLR_WL_OUTPUTS": "2",
                           "WLR_LIBINPUT_NO_DEVICES": "1", "WAYLAND_DISPLAY": os.path.join(parent.runtime, parent.socket)}


class KWin(Compositor):
    """KWin 5.27 with a virtual output of 1280 x 720 logical pixels at SCALE,
    as root in a D-Bus session of its own. A plain copy of the binary: the
    installed one carries a file capability a container may not grant."""
    socket = ready_file = "kwin-0"

    def __init__(self, program, scale="1"):
        Compositor.__init__(self, program)
        kwin = shutil.copy(shutil.which("kwin_wayland"), self.dir)
        self.server_command = ["dbus-run-session", "--", kwin, "--virtual", "--no-lockscreen",
                               "--no-global-shortcuts", "--no-kactivities", "--width", "1280", "--height", "720",
                               "--scale", scale, "--socket", self.socket]
        self.server_env = {"QT_QPA_PLATFORM": "offscreen"}


class Weston(Compositor):
    """Headless weston; with its fullscreen shell it offers no xdg-shell."""
    socket = ready_file = "wayland-w"

    def __init__(self, program, shell="desktop-shell.so"):
        Compositor.__init__(self, program)
        self.server_command = ["weston", "--backend=headless-backend.so", "--use-pixman", "--width=1280",
                               "--height=720", "--socket=wayland-w", "--shell=" + shell, "--no-config", "--debug",
                               "--idle-time=0"]

    def screenshot(self):
        for name in os.listdir(self.dir):
            if name.startswith("wayland-screenshot"):
                os.remove(os.path.join(self.dir, name))
        self.run(["weston-screenshooter"])
        return png_image(os.path.join(self.dir, next(n for n in os.listdir(self.dir)
                                                      if n.startswith("wayland-screenshot"))))



class Mutter(Compositor):
    """Headless mutter 43 (GNOME) on a session bus of its own, which the
    programs started in it share; input comes through its RemoteDesktop
    interface, whose virtual devices appear with their first event."""
    socket = ready_file = "mutter-0"
    server_command = ["mutter", "--headless", "--wayland", "--no-x11", "--wayland-display", socket,
                      "--virtual-monitor", "1280x720"]

    def env(self, extra=None):
        bus = "unix:path=" + os.path.join(self.runtime, "bus")
        return Compositor.env(self, dict({"DBUS_SESSION_BUS_ADDRESS": bus}, **(extra or {})))

    def __enter__(self):
        import dbus
        address = self.env()["DBUS_SESSION_BUS_ADDRESS"]
        self.bus_daemon = self.popen(["dbus-daemon", "--session", "--nofork", "--address=" + address])
        rig.wait_until(lambda: os.path.exists(os.path.join(self.runtime, "bus")), 10, 0.05, "the session bus")
        Compositor.__enter__(self)
        self.dbus = dbus.bus.BusConnection(address)
        rig.wait_until(lambda: self.dbus.name_has_owner("org.gnome.Mutter.RemoteDesktop"), 10, 0.1, "RemoteDesktop")
        name, path = "org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop"
        session = self.dbus.get_object(name, path).CreateSession(dbus_interface=name)
        self.input = dbus.Interface(self.dbus.get_object(name, session), name + ".Session")
        self.input.Start()
        return self

    def key(self, code=30):
        """Presses and lets go of the key of evdev code CODE (30: A)."""
        for pressed in (True, False):
            self.input.NotifyKeyboardKeycode(code, pressed)

    def nudge(self):
        """Harmless input that makes the virtual devices: Shift, a pixel's motion."""
        self.key(42)
        self.input.NotifyPointerMotionRelative(1.0, 0.0)

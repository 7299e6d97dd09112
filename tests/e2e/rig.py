"""End-to-end rig: a private Xvfb display, the program under test started
natively or under Wine, windows found by title, input sent with xdotool,
screenshots read as RGB bytes. Every wait is bounded."""
import argparse
import os
import shutil
import subprocess
import sys
import time
import unittest

SKIP = 77


class Image:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def region(self, x0, y0, x1, y1):
        """Pixels of the half-open rectangle [x0, x1) x [y0, y1)."""
        return [self.pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]

    def count(self, predicate, box=None):
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        return sum(1 for p in self.region(x0, y0, x1, y1) if predicate(p))


class Target:
    """How the program under test is started: natively or under Wine."""

    def __init__(self, kind, program, wineprefix=None):
        self.kind, self.program, self.wineprefix = kind, program, wineprefix

    @property
    def wine(self):
        return self.kind == "wine"

    def command(self, args):
        return (["wine", self.program] if self.wine else [self.program]) + list(args)


def parse_target():
    """Reads --target native|wine --program PATH [--wineprefix DIR] and leaves
    the rest of argv to unittest. Exits 77 where the rig cannot run."""
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--target", choices=("native", "wine"), required=True)
    parser.add_argument("--program", required=True)
    parser.add_argument("--wineprefix")
    known, rest = parser.parse_known_args()
    sys.argv = sys.argv[:1] + rest
    if not shutil.which("Xvfb") or not shutil.which("xdotool"):
        print("SKIPPED: Xvfb or xdotool is not installed")
        sys.exit(SKIP)
    if known.target == "wine" and not shutil.which("wine"):
        print("SKIPPED: Wine is not installed")
        sys.exit(SKIP)
    if not os.path.exists(known.program):
        print("program not found: " + known.program)
        sys.exit(1)
    return Target(known.target, os.path.abspath(known.program), known.wineprefix)


def wait_until(predicate, timeout, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


class Display:
    """A private Xvfb display and the programs started on it."""

    def __init__(self, target, width=1280, height=720, screens=1):
        self.target, self.width, self.height, self.screens = target, width, height, screens
        self.xvfb = None
        self.procs = []

    def __enter__(self):
        # Xvfb picks a free display itself and clears stale locks of dead servers.
        screens = []
        for screen in range(self.screens):
            screens += ["-screen", str(screen), "%dx%dx24" % (self.width, self.height)]
        if not self.serve(["Xvfb"] + screens + ["-nolisten", "tcp", "-noreset"]):
            raise RuntimeError("could not start Xvfb")
        return self

    def serve(self, command):
        """Starts an X server that picks its display number (-displayfd);
        false when it did not start within 10 s."""
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(command + ["-displayfd", str(write_end)], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, pass_fds=(write_end,))
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 10
        with os.fdopen(read_end, "rb") as pipe:
            os.set_blocking(pipe.fileno(), False)
            while not number.endswith(b"\n") and time.monotonic() < deadline and self.xvfb.poll() is None:
                chunk = pipe.read()
                if chunk:
                    number += chunk
                else:
                    time.sleep(0.02)
        if not number.strip():
            self.xvfb.kill()
            self.xvfb.wait(timeout=10)
            return False
        self.name = ":" + number.decode().strip()
        return True

    def __exit__(self, *exc):
        for p in self.procs:
            if p.poll() is None:
                p.kill()
                p.wait(timeout=10)
            for stream in (p.stdout, p.stderr):
                if stream:
                    stream.close()
        if self.target.wine:
            subprocess.run(["wineserver", "-k"], env=self.env(), stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=20)
        self.xvfb.terminate()  # lets Xvfb remove its lock and socket
        try:
            self.xvfb.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.xvfb.kill()
            self.xvfb.wait(timeout=10)

    def env(self, extra=None):
        env = dict(os.environ)
        env["DISPLAY"] = self.name
        env.pop("WAYLAND_DISPLAY", None)  # else a Wayland desktop wins over this display
        if self.target.wine:
            env["WINEDEBUG"] = env.get("WINEDEBUG", "-all")
            env["WINEDLLOVERRIDES"] = "mscoree,mshtml=;winedbg.exe=d"  # a crash ends, not hangs
            if self.target.wineprefix:
                env["WINEPREFIX"] = self.target.wineprefix
        env.update(extra or {})
        return env

    def start(self, args=(), env=None, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE):
        """Starts the program under test with ARGS on this display."""
        p = subprocess.Popen(self.target.command(args), env=self.env(env),
                             stdout=stdout, stderr=stderr)
        self.procs.append(p)
        return p

    def run(self, cmd, timeout=20, check=True):
        r = subprocess.run(cmd, env=self.env(), stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                           timeout=timeout)
        if check and r.returncode != 0:
            raise AssertionError("%s failed: %s" % (" ".join(cmd), r.stderr.decode(errors="replace")))
        return r.stdout.decode(errors="replace")

    # Windows
    def windows(self, title):
        r = subprocess.run(["xdotool", "search", "--name", "^%s$" % title], env=self.env(),
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=20)
        return [int(w) for w in r.stdout.split()]

    def visible_windows(self, title):
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title], env=self.env(),
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=20)
        return [int(w) for w in r.stdout.split()]

    def wait_window(self, title, timeout=20, visible=True):
        find = self.visible_windows if visible else self.windows
        return wait_until(lambda: find(title), timeout, 0.1, "window '%s'" % title)[0]

    def geometry(self, window):
        out = self.run(["xdotool", "getwindowgeometry", "--shell", str(window)])
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    # Input
    def key(self, name):
        self.run(["xdotool", "key", name])

    def click(self, button=1):
        self.run(["xdotool", "click", str(button)])

    def mousemove(self, x, y):
        self.run(["xdotool", "mousemove", str(x), str(y)])

    def wheel(self, down=True):
        self.click(5 if down else 4)

    def move_and_scroll(self, points):
        """Moves the pointer through POINTS, then turns the wheel down and up:
        input that must not end a saver run."""
        for x, y in points:
            self.mousemove(x, y)
            time.sleep(0.1)
        self.wheel(down=True)
        self.wheel(down=False)

    # Pixels
    def screenshot(self, window=None, screen=None):
        where = [] if screen is None else ["-display", "%s.%d" % (self.name, screen)]
        xwd = self.xwd(where + (["-id", str(window)] if window else ["-root"]))
        conv = subprocess.run(["/usr/bin/convert", "xwd:-", "-depth", "8", "-format", "%w %h\n", "-write", "info:-",
                               "rgb:-"], input=xwd, stdout=subprocess.PIPE, timeout=20, check=True).stdout
        header, rgb = conv.split(b"\n", 1)
        w, h = (int(v) for v in header.split())
        return Image(w, h, rgb)

    def save_screenshot(self, path, window=None):
        xwd = self.xwd(["-id", str(window)] if window else ["-root"])
        subprocess.run(["/usr/bin/convert", "xwd:-", path], input=xwd, timeout=20, check=True)

    def xwd(self, args):
        """The XWD bytes of a window. Wine sets the screen's mode when a
        full-screen window comes or goes; an image asked for just then fails
        with BadMatch, so that is tried again, three times at most."""
        for attempt in range(3):
            r = subprocess.run(["xwd", "-silent"] + args, env=self.env(), stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, timeout=20)
            if r.returncode == 0 or b"BadMatch" not in r.stderr or attempt == 2:
                break
            time.sleep(0.2)
        if r.returncode != 0:
            raise AssertionError("xwd failed: " + r.stderr.decode(errors="replace"))
        return r.stdout

    # Processes
    @staticmethod
    def wait_exit(proc, timeout=20):
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait(timeout=10)
            raise AssertionError("program still running after %.1f s" % timeout)

    def dismiss_message_box(self, caption, timeout=20):
        """Finds a Wine message box by caption and presses Return on it."""
        box = self.wait_window(caption, timeout)
        self.key("Return")
        wait_until(lambda: box not in self.windows(caption), timeout, 0.1, "message box '%s' to close" % caption)


def main(target):
    """Runs the unittest module's tests with TARGET available as rig.TARGET."""
    global TARGET
    TARGET = target
    unittest.main(verbosity=2)


TARGET = None


def send_close_request(display_name, window):
    """Sends WM_DELETE_WINDOW, as a window manager's close box does."""
    import ctypes
    import ctypes.util

    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]

    dpy = x11.XOpenDisplay(display_name.encode())
    if not dpy:
        raise RuntimeError("cannot open display " + display_name)
    try:
        event = ClientMessage()
        event.type = 33  # ClientMessage
        event.window = window
        event.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
        event.format = 32
        event.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
        event.data[1] = 0  # CurrentTime
        x11.XSendEvent(dpy, window, 0, 0, ctypes.byref(event))
        x11.XFlush(dpy)
    finally:
        x11.XCloseDisplay(dpy)


def lit(pixel):
    """A star's pixel: anything clearly brighter than the black background."""
    return sum(pixel) > 60


class XClient:
    """A plain Xlib client of the test's own (ctypes): makes the empty windows
    a host would hand the saver, and moves others' windows as window managers do."""

    def __init__(self, display_name):
        import ctypes as c
        import ctypes.util
        self.c, x11 = c, c.CDLL(ctypes.util.find_library("X11"))
        D, W, I, U = c.c_void_p, c.c_ulong, c.c_int, c.c_uint
        for name, restype, args in (
                ("XOpenDisplay", D, [c.c_char_p]), ("XDefaultRootWindow", W, [D]),
                ("XCreateSimpleWindow", W, [D, W, I, I, U, U, U, W, W]), ("XMapWindow", I, [D, W]),
                ("XDestroyWindow", I, [D, W]), ("XSelectInput", I, [D, W, c.c_long]),
                ("XReparentWindow", I, [D, W, W, I, I]), ("XFree", I, [D]), ("XSync", I, [D, I]),
                ("XQueryTree", I, [D, W, c.POINTER(W), c.POINTER(W), c.POINTER(c.POINTER(W)), c.POINTER(U)]),
                ("XCloseDisplay", I, [D])):
            getattr(x11, name).restype, getattr(x11, name).argtypes = restype, args
        self.x11, self.dpy = x11, x11.XOpenDisplay(display_name.encode())
        if not self.dpy:
            raise RuntimeError("cannot open display " + display_name)
        self.root = x11.XDefaultRootWindow(self.dpy)

    def window(self, x, y, width, height, redirect=False):
        """A mapped, empty top-level window; with REDIRECT it takes over its
        children's map requests, as a window manager's frame does."""
        w = self.x11.XCreateSimpleWindow(self.dpy, self.root, x, y, width, height, 0, 0, 0x203040)
        if redirect:
            self.x11.XSelectInput(self.dpy, w, 1 << 20)  # SubstructureRedirectMask
        self.x11.XMapWindow(self.dpy, w)
        self.x11.XSync(self.dpy, 0)
        return w

    def children(self, window):
        c = self.c
        root, parent, children, count = c.c_ulong(), c.c_ulong(), c.POINTER(c.c_ulong)(), c.c_uint()
        if not self.x11.XQueryTree(self.dpy, window, *map(c.byref, (root, parent, children, count))):
            return []
        result = [children[i] for i in range(count.value)]
        if children:
            self.x11.XFree(children)
        return result

    def reparent(self, window, parent):
        self.x11.XReparentWindow(self.dpy, window, parent, 0, 0)
        self.x11.XSync(self.dpy, 0)

    def destroy(self, window):
        self.x11.XDestroyWindow(self.dpy, window)
        self.x11.XSync(self.dpy, 0)

    def close(self):
        if self.dpy:
            self.x11.XCloseDisplay(self.dpy)
            self.dpy = None



class TwoMonitorDisplay(Display):
    """Xorg with the dummy driver (tools/xorg-two-monitors.conf): 1280 x 720
    at 0,0, the primary, and 1024 x 768 at 1280,0, seen as two monitors by
    GLFW and by Wine. Exits 77 where that server cannot start."""

    PRIMARY = (0, 0, 1280, 720)
    SECOND = (1280, 0, 1024, 768)

    def __enter__(self):
        import tempfile
        self.dir = tempfile.TemporaryDirectory(prefix="quillomar-xorg-")
        conf = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "xorg-two-monitors.conf")
        os.mkdir(os.path.join(self.dir.name, "empty.d"))
        if not shutil.which("Xorg") or not self.serve(
                ["Xorg", "-noreset", "-nolisten", "tcp", "-config", os.path.abspath(conf), "-configdir",
                 os.path.join(self.dir.name, "empty.d"), "-logfile", os.path.join(self.dir.name, "xorg.log")]):
            self.dir.cleanup()
            print("SKIPPED: Xorg with the dummy video driver did not start (it needs root and "
                  "xserver-xorg-video-dummy)")
            sys.exit(SKIP)
        return self

    def __exit__(self, *exc):
        Display.__exit__(self, *exc)
        self.dir.cleanup()

    def top_level_windows(self):
        """Mapped windows directly under the root that show on the screen (Wine
        keeps a 1 x 1 one off it), as (id, x, y, width, height). A window gone
        while they are listed is left out."""
        found = []
        for line in self.run(["xwininfo", "-root", "-children"]).splitlines():
            if line.split() and line.split()[0].startswith("0x"):
                window = int(line.split()[0], 16)
                info = dict(l.strip().split(":", 1) for l in self.run(["xwininfo", "-id", str(window)],
                                                                      check=False).splitlines() if ":" in l)
                if info.get("Map State", "").strip() != "IsViewable":
                    continue
                x, y, w, h = (int(info[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width",
                                                     "Height"))
                if x + w > 0 and y + h > 0:
                    found.append((window, x, y, w, h))
        return found

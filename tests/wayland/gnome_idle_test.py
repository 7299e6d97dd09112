"""On GNOME, which offers Wayland clients no idle protocol, the idle mode
starts one full-screen saver per idle period through mutter's idle monitor,
lets a key end it, starts it again after the next idle period, and ends with
its saver on SIGTERM or when the session bus goes."""
import os
import signal
import subprocess
import time
import unittest

import rig
import wayland_rig as W

IDLE_SECONDS = 3


def savers(parent):
    """The live quillomar processes PARENT started."""
    found = []
    for name in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % name) as f:
                comm, rest = f.read().split("(", 1)[1].rsplit(")", 1)
        except OSError:
            continue
        state, ppid = rest.split()[:2]
        if comm == "quillomar" and int(ppid) == parent and state != "Z":
            found.append(int(name))
    return found


class GnomeIdle(unittest.TestCase):
    def setUp(self):
        self.mutter = W.Mutter(rig.TARGET.program).__enter__()
        self.addCleanup(self.mutter.__exit__)

    def idle_mode(self, minutes):
        self.log = os.path.join(self.mutter.dir, "idle.log")
        with open(self.log, "wb") as log:
            # The saver's Wayland messages go to a file: they would fill a pipe.
            mode = subprocess.Popen([self.mutter.program, "--on-idle", minutes], stdout=subprocess.DEVNULL,
                                    stderr=log, env=self.mutter.env({"WAYLAND_DEBUG": "client"}))
        self.addCleanup(lambda: mode.poll() is not None or (mode.kill(), mode.wait()))
        return mode

    def wait_saver(self, mode, since):
        """The one saver, once its full-screen view draws frames; and the
        seconds from SINCE to its start."""
        pid = rig.wait_until(lambda: savers(mode.pid), IDLE_SECONDS + 7, 0.05, "a saver")[0]
        started = time.monotonic() - since
        offset = self.seen
        def drawing():
            with open(self.log, errors="replace") as f:
                text = f.read()[offset:]
            return ".set_fullscreen(" in text and ".configure(1280, 720," in text and text.count(".done(") > 5
        rig.wait_until(drawing, 10, 0.2, "a full-screen view that draws")
        time.sleep(1)
        self.assertEqual(savers(mode.pid), [pid], "exactly one saver")
        with open(self.log, errors="replace") as f:
            self.seen = len(f.read())
        return pid, started

    def test_one_saver_per_idle_period_ended_by_a_key_and_with_the_mode(self):
        mutter, self.seen = self.mutter, 0
        mutter.nudge()
        mode = self.idle_mode(str(IDLE_SECONDS / 60))
        first, started = self.wait_saver(mode, time.monotonic())
        self.assertGreater(started, IDLE_SECONDS - 0.5, "started before the idle time")
        print("first start after %.2f s" % started)
        # Motion does not end the saver, and the idle period after it starts no second one.
        mutter.input.NotifyPointerMotionRelative(5.0, 5.0)
        time.sleep(IDLE_SECONDS + 1)
        self.assertEqual(savers(mode.pid), [first])

        mutter.key()
        rig.wait_until(lambda: not savers(mode.pid), 3, 0.05, "the key to end the saver")
        second, started = self.wait_saver(mode, time.monotonic())
        self.assertNotEqual(second, first)
        self.assertGreater(started, IDLE_SECONDS - 0.5, "started again before the next idle period")
        print("second start %.2f s after the key" % started)

        asked = time.monotonic()
        mode.send_signal(signal.SIGTERM)
        self.assertEqual(W.wait_exit(mode, 5), 0)
        # The saver is killed 2 s after SIGTERM; it must have ended by itself first.
        self.assertLess(time.monotonic() - asked, 1.8, "the saver did not end on SIGTERM")
        print("mode and saver ended %.2f s after SIGTERM" % (time.monotonic() - asked))
        self.assertFalse(os.path.exists("/proc/%d" % second), "the saver outlived the idle mode")

    def test_one_mode_per_session_and_it_ends_with_0_when_the_session_bus_goes(self):
        mode = self.idle_mode("10")
        time.sleep(1)
        self.assertIsNone(mode.poll())
        second = self.mutter.saver("--on-idle", "10")
        self.assertEqual(W.wait_exit(second, 5), 0)
        self.assertIn(b"already", second.stderr.read())
        self.mutter.bus_daemon.kill()
        self.assertEqual(W.wait_exit(mode, 5), 0)


if __name__ == "__main__":
    W.require("mutter", "dbus-daemon")
    try:
        import dbus  # noqa: F401
    except ImportError:
        # Debian's python3-dbus serves Debian's interpreter, which may not be the first python3.
        debian = os.path.realpath("/usr/bin/python3")
        if os.access(debian, os.X_OK) and os.path.realpath(W.sys.executable) != debian:
            os.execv("/usr/bin/python3", ["/usr/bin/python3"] + W.sys.argv)
        W.require("python3-dbus")
    rig.main(rig.parse_target())

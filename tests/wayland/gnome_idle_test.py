"""On GNOME, which offers Wayland clients no idle protocol, the idle mode
starts one full-screen saver per idle period through mutter's idle monitor,
lets a key end it, and ends with 0 on SIGTERM (its saver first) or when the
session bus goes. At scale 2, where mutter tells the output's logical size in
its own pixels, the saver's first buffer is the output's pixels at buffer
scale 2, no larger than the window."""
import os
import signal
import subprocess
import time
import unittest

import rig
import wayland_rig as W

IDLE_SECONDS = 3


class GnomeIdle(unittest.TestCase):
    def wait_saver(self, since):
        """The one saver, once its full-screen view draws; and the seconds from SINCE to its start."""
        seen = len(self.log_text())
        pid = rig.wait_until(self.savers, IDLE_SECONDS + 7, 0.05, "a saver")[0]
        started, log = time.monotonic() - since, lambda: self.log_text()[seen:]
        rig.wait_until(lambda: all(w in log() for w in (".set_fullscreen(", ".configure(1280, 720,"))
                       and log().count(".done(") > 5, 10, 0.2, "a full-screen view that draws")
        time.sleep(1)
        self.assertEqual(self.savers(), [pid], "exactly one saver")
        return pid, started

    def savers(self):
        found = subprocess.run(["pgrep", "-P", str(self.mode.pid), "-x", "quillomar"], stdout=subprocess.PIPE)
        return [int(pid) for pid in found.stdout.split()]

    def log_text(self):
        with open(self.log, errors="replace") as f:
            return f.read()

    def test_one_saver_per_idle_period_ended_by_a_key_and_with_the_mode(self):
        mutter = W.Mutter(rig.TARGET.program).__enter__()
        self.addCleanup(mutter.__exit__)
        mutter.nudge()
        self.log = os.path.join(mutter.dir, "idle.log")
        with open(self.log, "wb") as log:  # the saver's Wayland messages would fill a pipe
            self.mode = mode = subprocess.Popen([mutter.program, "--on-idle", str(IDLE_SECONDS / 60)], stderr=log,
                                                stdout=subprocess.DEVNULL, env=mutter.env({"WAYLAND_DEBUG": "1"}))
        self.addCleanup(lambda: mode.poll() is not None or (mode.kill(), mode.wait()))
        first, started = self.wait_saver(time.monotonic())
        self.assertGreater(started, IDLE_SECONDS - 0.5, "started before the idle time")
        # Motion does not end the saver, and the idle period after it starts no second one.
        mutter.input.NotifyPointerMotionRelative(5.0, 5.0)
        time.sleep(IDLE_SECONDS + 1)
        self.assertEqual(self.savers(), [first])

        mutter.key()
        rig.wait_until(lambda: not self.savers(), 3, 0.05, "the key to end the saver")
        second, again = self.wait_saver(time.monotonic())
        self.assertGreater(again, IDLE_SECONDS - 0.5, "started again before the next idle period")
        asked = time.monotonic()
        mode.send_signal(signal.SIGTERM)
        self.assertEqual(W.wait_exit(mode, 5), 0)
        ended = time.monotonic() - asked
        # The saver would be killed 2 s after SIGTERM; it must end by itself first.
        self.assertLess(ended, 1.8, "the saver did not end on SIGTERM")
        self.assertFalse(os.path.exists("/proc/%d" % second), "the saver outlived the idle mode")
        print("starts after %.2f s and %.2f s; ended %.2f s after SIGTERM" % (started, again, ended))

        # One mode per session; and a lost session bus ends it.
        mode = mutter.saver("--on-idle", "10")
        rig.wait_until(lambda: mutter.dbus.name_has_owner("quillomar.OnIdle"), 5, 0.05, "the mode's name")
        second = mutter.saver("--on-idle", "10")
        self.assertEqual(W.wait_exit(second, 5), 0)
        self.assertIn(b"already", second.stderr.read())
        mutter.bus_daemon.kill()
        self.assertEqual(W.wait_exit(mode, 5), 0)


class HiDpiMutter(W.Mutter):
    server_command = W.Mutter.server_command[:-1] + ["2560x1440"]  # scale 2 needs the pixels


class GnomeScale(unittest.TestCase):
    def test_the_first_buffer_has_the_outputs_pixels_at_scale_2(self):
        mutter = HiDpiMutter(rig.TARGET.program).__enter__()
        self.addCleanup(mutter.__exit__)
        name, path = "org.gnome.Mutter.DisplayConfig", "/org/gnome/Mutter/DisplayConfig"
        config = W.dbus.Interface(mutter.dbus.get_object(name, path), name)
        serial, monitors, _, _ = config.GetCurrentState()
        mode = next(m[0] for m in monitors[0][1] if m[6].get("is-current"))
        config.ApplyMonitorsConfig(serial, 1, [(0, 0, 2.0, W.dbus.UInt32(0), True, [(monitors[0][0][0], mode, {})])],
                                   {})
        text, sizes = mutter.first_buffers("/s")
        self.assertIn(".configure(1280, 720,", text)
        self.assertIn("set_buffer_scale(2)", text)
        self.assertEqual(sizes, {(2560, 1440)})


if __name__ == "__main__":
    W.require("mutter", "dbus-daemon", "pgrep")
    try:
        import dbus
        W.dbus = dbus
    except ImportError:  # Debian's python3-dbus serves Debian's interpreter, maybe not the first python3
        if os.path.realpath(W.sys.executable) != os.path.realpath("/usr/bin/python3"):
            os.execv("/usr/bin/python3", ["/usr/bin/python3"] + W.sys.argv)
        W.require("python3-dbus")
    rig.main(rig.parse_target())

"""The saver as a citizen of the user's session: while /s shows, the X
screensaver timer keeps the user's values and a locker keyed to it (xss-lock)
runs on time, and Windows' display may turn off; a lock announced on D-Bus
(logind's LockedHint and Lock, the ScreenSaver services' ActiveChanged) ends a
running saver within a second, and one started under a lock ends before it
shows anything; quillomar --stop ends the user's saver. On GNOME on Xorg with
two monitors, the idle mode's saver covers the second one too."""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import rig

TITLE = "Quillomar Screensaver"
SYSTEM_PYTHON = "/usr/bin/python3"  # the one with python3-gi


def screensaver_settings(display):
    """The screensaver timer, blanking and DPMS as `xset q` reads them."""
    out = display.run(["xset", "q"])
    return [line.strip() for line in out.splitlines()
            if any(word in line for word in ("timeout:", "prefer blanking:", "Standby:", "DPMS is"))]


class Timers(unittest.TestCase):
    def setUp(self):
        self.display = rig.Display(rig.TARGET).__enter__()
        self.addCleanup(self.display.__exit__, None, None, None)

    def test_lockers_and_display_power_off_come_on_time_while_the_stars_show(self):
        if rig.TARGET.wine:
            return self.windows_display_may_turn_off()
        if not shutil.which("xss-lock"):
            self.skipTest("xss-lock is not installed")
        d = self.display
        d.run(["xset", "s", "3", "0"])
        users = screensaver_settings(d)
        marker = os.path.join(tempfile.mkdtemp(prefix="quillomar-lock-"), "locked")
        saver = d.start(["/s"])
        d.wait_window(TITLE, 30)
        locker = subprocess.Popen(["xss-lock", "--", "touch", marker], env=d.env(), stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        d.procs.append(locker)
        deadline = time.monotonic() + 6
        while not os.path.exists(marker):
            self.assertEqual(screensaver_settings(d), users, "the user's screensaver settings during the run")
            self.assertIsNone(saver.poll(), "the saver ended before the locker ran")
            self.assertLess(time.monotonic(), deadline, "the locker did not run within 6 s")
            time.sleep(0.25)
        d.key("a")
        self.assertEqual(d.wait_exit(saver, 10), 0)
        self.assertEqual(screensaver_settings(d), users)

    def windows_display_may_turn_off(self):
        state = os.path.join(tempfile.mkdtemp(prefix="quillomar-state-"), "state")
        program = os.environ["QUILLOMAR_EXECUTION_STATE"]
        saver = subprocess.Popen(["wine", program, "/s"], env=self.display.env({"QUILLOMAR_STATE_FILE": state}),
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.display.procs.append(saver)
        rig.wait_until(lambda: os.path.exists(state) and open(state).read().endswith("\n"), 60, 0.1,
                       "the running saver's execution state")
        flags = int(open(state).read(), 16)
        self.assertFalse(flags & 0x2, "ES_DISPLAY_REQUIRED is held (state %#x)" % flags)
        self.display.key("a")
        self.assertEqual(self.display.wait_exit(saver, 15), 0)


class Locks(unittest.TestCase):
    """A private system and session bus each, with stand-ins for logind and
    the ScreenSaver services; the saver finds its session by XDG_SESSION_ID."""

    @classmethod
    def setUpClass(cls):
        if rig.TARGET.wine:
            raise unittest.SkipTest("Windows locks the session itself and ends the saver first")
        cls.dir = tempfile.mkdtemp(prefix="quillomar-buses-")
        cls.buses, cls.env = [], {"XDG_SESSION_ID": "c7"}
        for variable, name in (("DBUS_SYSTEM_BUS_ADDRESS", "system"), ("DBUS_SESSION_BUS_ADDRESS", "session")):
            address = "unix:path=" + os.path.join(cls.dir, name)
            cls.buses.append(subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--address=" + address],
                                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            cls.env[variable] = address
        rig.wait_until(lambda: all(os.path.exists(os.path.join(cls.dir, n)) for n in ("system", "session")), 10,
                       0.05, "the buses")

    @classmethod
    def tearDownClass(cls):
        for bus in cls.buses:
            bus.kill()
            bus.wait(timeout=10)
        shutil.rmtree(cls.dir, True)

    def setUp(self):
        self.display = rig.Display(rig.TARGET).__enter__()
        self.addCleanup(self.display.__exit__, None, None, None)

    def services(self, *args):
        """The stand-ins, owning their names until ended."""
        env = dict(os.environ, **self.env)
        services = subprocess.Popen([SYSTEM_PYTHON, os.environ["QUILLOMAR_LOCK_SERVICES"]] + list(args), env=env,
                                    stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        end = lambda: services.poll() is not None or (services.kill(), services.wait(timeout=10))
        self.addCleanup(end)
        self.assertEqual(services.stdout.readline().strip(), "ready")
        return services, end

    def test_each_lock_announcement_ends_a_running_saver_within_a_second(self):
        for announcement in ("hint", "lock", "gnome", "freedesktop"):
            with self.subTest(announcement):
                services, end = self.services()
                self.addCleanup(services.stdin.close)
                self.addCleanup(services.stdout.close)
                saver = self.display.start(["/s"], env=self.env)
                window = self.display.wait_window(TITLE, 30)
                time.sleep(0.3)  # a few frames
                services.stdin.write(announcement + "\n")
                services.stdin.flush()
                self.assertEqual(self.display.wait_exit(saver, 1.0), 0)
                self.assertNotIn(window, self.display.windows(TITLE))
                end()

    def test_a_saver_started_under_a_lock_shows_nothing_and_no_bus_changes_nothing(self):
        services, end = self.services("--locked")
        saver = self.display.start(["/s"], env=self.env)
        seen, deadline = [], time.monotonic() + 10
        while saver.poll() is None and time.monotonic() < deadline:
            seen += self.display.windows(TITLE)
            time.sleep(0.02)
        self.assertEqual((self.display.wait_exit(saver, 0.5), seen), (0, []))
        end()
        # Buses that do not answer: the saver runs as it always has.
        saver = self.display.start(["/s"], env={"DBUS_SYSTEM_BUS_ADDRESS": "unix:path=/nonexistent/bus",
                                                "DBUS_SESSION_BUS_ADDRESS": "unix:path=/nonexistent/bus"})
        self.display.wait_window(TITLE, 30)
        self.display.key("a")
        self.assertEqual(self.display.wait_exit(saver, 10), 0)

    def test_stop_ends_the_users_saver_and_returns_once_it_has_ended(self):
        stop = lambda: subprocess.run(self.display.target.command(["--stop"]), env=self.display.env(),
                                      timeout=20).returncode
        self.assertEqual(stop(), 0, "with no saver running")
        # Screen 0 of the display is the display itself.
        saver = self.display.start(["/s"], env={"DISPLAY": self.display.name + ".0"})
        self.display.wait_window(TITLE, 30)
        self.assertEqual(stop(), 0)
        self.assertEqual(saver.poll(), 0, "--stop returned before the saver ended")


class GnomeOnXorg(unittest.TestCase):
    """mutter --x11 on the two-monitor Xorg server with its own session bus:
    the idle mode's saver (--root) covers the second monitor too."""

    def test_the_idle_modes_saver_covers_every_monitor(self):
        if rig.TARGET.wine or not shutil.which("mutter"):
            self.skipTest("GNOME's idle mode is the Linux program's")
        d = rig.TwoMonitorDisplay(rig.TARGET).__enter__()
        self.addCleanup(d.__exit__, None, None, None)
        bus = "unix:path=" + os.path.join(d.dir.name, "bus")
        d.procs.append(subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--address=" + bus],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        env = d.env({"DBUS_SESSION_BUS_ADDRESS": bus})
        rig.wait_until(lambda: os.path.exists(bus[len("unix:path="):]), 10, 0.05, "the session bus")
        d.procs.append(subprocess.Popen(["mutter", "--x11", "--replace"], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL))
        has_monitor = ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/",
                       "org.freedesktop.DBus.NameHasOwner", "string:org.gnome.Mutter.IdleMonitor"]
        rig.wait_until(lambda: b"true" in subprocess.run(has_monitor, env=env, stdout=subprocess.PIPE).stdout, 20,
                       0.2, "mutter's idle monitor")
        white = os.path.join(d.dir.name, "white.png")
        subprocess.run(["/usr/bin/convert", "-size", "300x200", "xc:white", white], check=True, timeout=20)
        d.procs.append(subprocess.Popen(["display", "-geometry", "+1400+100", white], env=env))
        x, y, w, h = d.SECOND
        second = lambda: d.screenshot().count(lambda p: p == (255, 255, 255), (x, y, x + w, y + h))
        rig.wait_until(second, 10, 0.2, "the application's window on the second monitor")

        mode = subprocess.Popen([d.target.program, "--on-idle", "0.05"], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        d.procs.append(mode)
        savers = lambda: subprocess.run(["pgrep", "-P", str(mode.pid)], stdout=subprocess.PIPE).stdout.split()
        rig.wait_until(savers, 15, 0.1, "the idle mode's saver")
        d.wait_window(TITLE, 20)
        rig.wait_until(lambda: not second(), 5, 0.2, "the second monitor covered")
        time.sleep(1)
        self.assertEqual(second(), 0, "the application's window shows beside the stars")
        d.key("a")
        rig.wait_until(lambda: not savers(), 5, 0.1, "the key to end the saver")
        mode.send_signal(signal.SIGTERM)
        self.assertEqual(d.wait_exit(mode, 10), 0)


if __name__ == "__main__":
    rig.main(rig.parse_target())

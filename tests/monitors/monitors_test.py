"""Two monitors (Xorg's dummy driver): the saver's stars on the primary one,
the other covered in black by a window of ours that ends the run on input,
or stars of its own on each where the user chose every monitor; and the About
window centred on the primary monitor."""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import rig

TITLE = "Quillomar Screensaver"
PRIMARY, SECOND = rig.TwoMonitorDisplay.PRIMARY, rig.TwoMonitorDisplay.SECOND
PRIMARY_BOX, SECOND_BOX = (0, 0, 1280, 720), (1280, 0, 2304, 768)  # x0, y0, x1, y1


def windows_on_screen(display):
    """Top-level windows but the black one the saver keeps under its own over
    the whole screen, as (id, x, y, width, height)."""
    return [w for w in display.top_level_windows() if w[3] < 32767]


class TwoMonitors(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.display = rig.TwoMonitorDisplay(rig.TARGET).__enter__()
        # A white desktop: a window that leaves its background unpainted shows it.
        cls.display.run(["xsetroot", "-solid", "white"])

    @classmethod
    def tearDownClass(cls):
        cls.display.__exit__(None, None, None)

    def start_saver(self, args, env=None):
        proc = self.display.start(args, env)
        self.addCleanup(lambda: proc.poll() is None and proc.kill())
        rig.wait_until(lambda: len(self.display.visible_windows(TITLE)) == 2, 30, 0.05, "both windows")
        return proc

    def assert_covered(self):
        windows = sorted(w[1:] for w in windows_on_screen(self.display))
        self.assertEqual(windows, sorted([PRIMARY, SECOND]), "exactly the render window and one blanking window")
        image = self.display.screenshot()
        self.assertEqual(image.count(lambda p: p != (0, 0, 0), SECOND_BOX), 0, "the second monitor is not all black")
        rig.wait_until(lambda: self.display.screenshot().count(lambda p: max(p) > 48, PRIMARY_BOX) > 50, 15, 0.3,
                       "stars on the primary monitor")

    def test_saver_covers_the_second_monitor_and_ends_on_a_key_there(self):
        proc = self.start_saver(["/s"])
        self.assert_covered()
        self.display.move_and_scroll(((100, 100), (1500, 300), (2200, 700), (1300, 10)))
        time.sleep(1.0)
        self.assertIsNone(proc.poll(), "a move or the wheel ended the run")
        self.display.key("a")
        self.assertEqual(self.display.wait_exit(proc, 15), 0)

    def test_plain_run_covers_it_too_and_a_click_on_either_monitor_ends_it(self):
        for where in ((1700, 400), (640, 360)):
            proc = self.start_saver([])
            self.assert_covered()
            self.display.mousemove(*where)
            self.display.click(1)
            self.assertEqual(self.display.wait_exit(proc, 15), 0)
            rig.wait_until(lambda: not windows_on_screen(self.display), 15, 0.1, "the windows to go")

    def test_a_monitor_removed_loses_its_window_and_one_connected_gets_one(self):
        # Stars on every monitor, but no star window can be had: each monitor
        # is covered black instead, and the refused window is tried once per
        # connection, not every pass.
        if rig.TARGET.wine:
            self.skipTest("Wine 8 passes RandR output changes on to no monitor callback here")
        proc = self.start_saver(["/s", "--monitors", "all"], {"QUILLOMAR_REFUSE_STAR_WINDOWS": "1"})
        on = ["xrandr", "--output", "DUMMY1", "--mode", "1024x768", "--pos", "1280x0"]
        self.addCleanup(self.display.run, on)
        self.display.run(["xrandr", "--output", "DUMMY1", "--off"])
        rig.wait_until(lambda: len(windows_on_screen(self.display)) == 1, 10, 0.1, "the blanking window to go")
        self.display.run(on)
        rig.wait_until(lambda: len(windows_on_screen(self.display)) == 2, 10, 0.1, "a new blanking window")
        self.assert_covered()
        self.display.mousemove(1700, 400)
        self.display.click(3)
        self.assertEqual(self.display.wait_exit(proc, 15), 0)
        self.assertIn("refused 2 ", proc.stderr.read().decode(errors="replace"))

    def choose_every_monitor(self):
        """The arguments of a run with stars on every monitor: an option of the
        Linux program, the user's registry value for the Windows one."""
        if not rig.TARGET.wine:
            return ["/s", "--monitors", "all"]
        key = r"HKCU\Software\Quillomar"
        self.display.run(["wine", "reg", "add", key, "/v", "Monitors", "/d", "all", "/f"], timeout=60)
        self.addCleanup(self.display.run, ["wine", "reg", "delete", key, "/f"], 60)
        return ["/s"]

    def test_every_monitor_gets_stars_of_its_own_and_a_click_on_the_second_ends_the_run(self):
        proc = self.start_saver(self.choose_every_monitor())
        windows = sorted(w[1:] for w in windows_on_screen(self.display))
        self.assertEqual(windows, sorted([PRIMARY, SECOND]), "one full-screen window on each monitor")

        def lit(box):
            return self.display.screenshot().count(lambda p: max(p) > 48, box)
        # Each field spawns its first star off screen and the next 0.8 s later.
        rig.wait_until(lambda: lit(PRIMARY_BOX) > 50 and lit(SECOND_BOX) > 50, 20, 0.3, "stars on both monitors")
        image = self.display.screenshot()

        def rows(x0):  # the 1024 x 720 both monitors show, as bytes
            return b"".join(image.rgb[(y * image.width + x0) * 3:(y * image.width + x0 + 1024) * 3]
                            for y in range(720))
        self.assertNotEqual(rows(0), rows(1280), "the two monitors show the same stars")
        self.display.mousemove(1700, 400)
        self.display.click(1)
        self.assertEqual(self.display.wait_exit(proc, 15), 0)

    def test_unplugging_the_primary_moves_the_stars_and_never_shows_the_desktop(self):
        if rig.TARGET.wine:
            self.skipTest("Wine 8 passes RandR output changes on to no monitor callback here")
        client = rig.XClient(self.display.name)
        self.addCleanup(client.close)
        # An application on each monitor, under the saver's windows.
        apps = {client.window(200, 200, 400, 300), client.window(1500, 200, 400, 300)}
        # xrandr moves the monitor left to 0,0; plugging back puts both where they were.
        on = ["xrandr", "--output", "DUMMY0", "--mode", "1280x720", "--pos", "0x0", "--primary",
              "--output", "DUMMY1", "--mode", "1024x768", "--pos", "1280x0"]

        def saver_windows():
            return sorted(w[1:] for w in windows_on_screen(self.display) if w[0] not in apps)

        def sample(boxes):
            """The screen's boxes as (desktop pixels, lit pixels) each."""
            image = self.display.screenshot()
            found = []
            for x0, y0, x1, y1 in boxes or [(0, 0, image.width, image.height)]:
                rows = b"".join(image.rgb[(y * image.width + x0) * 3:(y * image.width + x1) * 3]
                                for y in range(y0, y1))
                desktop = rows.count(b"\xff\xff\xff") + rows.count(b"\x20\x30\x40")
                found.append((desktop, len(rows) - rows.count(0)))
            return found

        for args in (["/s"], ["/s", "--monitors", "all"]):
            with self.subTest(args=args):
                proc = self.start_saver(args)
                try:
                    self.unplug_and_plug_back_the_primary(proc, on, saver_windows, sample)
                finally:
                    if proc.poll() is None:
                        proc.kill()
                        proc.wait(timeout=10)
                        self.display.run(on)

    def unplug_and_plug_back_the_primary(self, proc, on, saver_windows, sample):
        rig.wait_until(lambda: saver_windows() == sorted([PRIMARY, SECOND]), 10, 0.1, "the saver's windows")
        self.display.run(["xrandr", "--output", "DUMMY0", "--off"])
        unplugged, moved = time.monotonic(), None
        while time.monotonic() - unplugged < 2.0:
            # A star may be white; a desktop showing is thousands of pixels.
            (desktop, _), = sample(None)  # the remaining monitor, wherever it went
            self.assertLess(desktop, 1000, "the desktop showed on the remaining monitor")
            if moved is None and [w[2:] for w in saver_windows()] == [SECOND[2:]]:
                moved = time.monotonic() - unplugged
        # The render window alone there, its cover dropped; the field may need
        # a moment to spawn a star inside the narrower monitor.
        self.assertLess(moved or 99, 1.0, "the stars did not move to the remaining monitor within a second")
        rig.wait_until(lambda: sample(None)[0][1] > 0, 5, 0.1, "stars on the remaining monitor")
        self.display.run(on)
        rig.wait_until(lambda: sample([PRIMARY_BOX])[0][0] < 1000, 5, 0.1, "the monitor plugged back covered")
        for _ in range(3):
            self.assertTrue(all(desktop < 1000 for desktop, _ in sample([PRIMARY_BOX, SECOND_BOX])))
        rig.wait_until(lambda: saver_windows() == sorted([PRIMARY, SECOND]), 5, 0.1,
                       "the stars on their monitor where it went back, the other covered")
        self.display.mousemove(640, 360)
        self.display.key("a")
        self.assertEqual(self.display.wait_exit(proc, 15), 0)
        rig.wait_until(lambda: not saver_windows(), 15, 0.1, "the windows to go")

    def test_linux_about_window_is_centred_on_the_primary_monitor(self):
        if rig.TARGET.wine:
            self.skipTest("the Windows build centres on the primary display as before")
        opener = tempfile.TemporaryDirectory()
        self.addCleanup(opener.cleanup)
        os.symlink(shutil.which("true"), os.path.join(opener.name, "xdg-open"))
        proc = self.display.start(["/c"], env={"PATH": opener.name + os.pathsep + os.environ["PATH"]})
        self.addCleanup(proc.kill)
        window = self.display.wait_window("About", 30)
        x, y, _, _ = self.display.geometry(window)
        self.assertEqual((x, y), ((1280 - 400) // 2, (720 - 300) // 2))
        self.assertIn("Icon (64 x 64)", self.display.run(["xprop", "-id", str(window), "_NET_WM_ICON"]))
        # The opener is reaped as soon as it ends, not at the next click.
        self.display.mousemove(x + 200, y + 225)
        self.display.click(1)
        time.sleep(1.0)
        children = subprocess.run(["ps", "--ppid", str(proc.pid), "-o", "stat="], stdout=subprocess.PIPE,
                                  timeout=10).stdout.decode().split()
        self.assertNotIn("Z", [c[:1] for c in children])
        rig.send_close_request(self.display.name, window)
        self.assertEqual(self.display.wait_exit(proc, 15), 0)


if __name__ == "__main__":
    rig.main(rig.parse_target())

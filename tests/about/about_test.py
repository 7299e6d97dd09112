"""The settings request end to end: the About window's place and pixels, the
"Visit website" button handing exactly the site's address to the browser,
keys that must do nothing, the close box ending the process with 0, two About
windows at once, forceConfig, and a window that cannot be made."""
import ctypes
import ctypes.util
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import rig

TITLE = "About"
SAVER_TITLE = "Quillomar Screensaver"
BACKGROUND = (177, 232, 179)
SCREEN = (1365, 768)
HERE = os.path.dirname(os.path.abspath(__file__))
LOGO = os.path.join(HERE, "..", "..", "res", "logo.bmp")


def site_address():
    return "https://%s/?utm_source=About" % os.environ.get("ABOUT_SITE_HOST", "www.quillomar.example")


def read_bmp(path):
    """Rows top to bottom of a 24-bit bottom-up BMP, each pixel (r, g, b)."""
    with open(path, "rb") as f:
        data = f.read()
    offset = int.from_bytes(data[10:14], "little")
    width = int.from_bytes(data[18:22], "little", signed=True)
    height = int.from_bytes(data[22:26], "little", signed=True)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        line = data[offset + (height - 1 - y) * stride:]
        rows.append([(line[x * 3 + 2], line[x * 3 + 1], line[x * 3]) for x in range(width)])
    return rows


def is_blue(p):
    return p[2] > 200 and p[0] < 120 and p[2] - p[1] > 100


def is_dark(p):
    return max(p) < 80


class AboutWindowTest(unittest.TestCase):
    def setUp(self):
        self.display = rig.Display(rig.TARGET, *SCREEN).__enter__()
        self.addCleanup(self.display.__exit__, None, None, None)
        self.addCleanup(lambda: [p.stderr.close() for p in self.display.procs if p.stderr])
        self.hold_display_open()
        stub_dir = tempfile.mkdtemp(prefix="about-opener-")
        self.addCleanup(shutil.rmtree, stub_dir, True)
        self.opener_log = os.path.join(stub_dir, "opened.log")
        stub = os.path.join(stub_dir, "xdg-open")
        with open(stub, "w") as f:
            # One line per call: the number of arguments, then the first.
            f.write('#!/bin/sh\nprintf "%%s:%%s\\n" "$#" "$1" >> "%s"\n' % self.opener_log)
        os.chmod(stub, 0o755)
        self.env = {"PATH": stub_dir + os.pathsep + os.environ.get("PATH", "")}
        # A private place for the single-instance marker on Linux, so savers
        # of other test runs on this machine cannot hold it.
        self.env["XDG_RUNTIME_DIR"] = stub_dir

    # Helpers

    def hold_display_open(self):
        """Xvfb resets when its last client leaves, and a program started
        during the reset cannot connect: keep one client for the whole test."""
        x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        connection = rig.wait_until(lambda: x11.XOpenDisplay(self.display.name.encode()), 10, 0.1, "the display")
        self.addCleanup(x11.XCloseDisplay, connection)

    def start(self, args, program=None, env=None):
        extra = dict(self.env)
        extra.update(env or {})
        if program is None:
            return self.display.start(args, env=extra)
        target = rig.Target(rig.TARGET.kind, program, rig.TARGET.wineprefix)
        proc = subprocess.Popen(target.command(args), env=self.display.env(extra), stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE)
        self.display.procs.append(proc)
        return proc

    def wait_about(self, count=1, proc=None):
        """The About windows once shown and painted: (window, client x, client y)."""
        def shown():
            if proc is not None and proc.poll() is not None:
                raise AssertionError("the program ended with %d before showing its window: %s" %
                                     (proc.returncode, proc.stderr.read().decode(errors="replace")))
            windows = self.display.visible_windows(TITLE)
            return len(windows) >= count and windows
        windows = rig.wait_until(shown, 30, 0.1, "%d About window(s)" % count)
        found = []
        for window in windows:
            x, y, _, _ = self.display.geometry(window)
            rig.wait_until(lambda: self.display.screenshot().pixel(x + 5, y + 5) == BACKGROUND, 20, 0.2,
                           "the About window to be painted")
            found.append((window, x, y))
        return found

    def opened(self):
        try:
            with open(self.opener_log) as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def click_button(self, x, y):
        self.display.mousemove(x + 200, y + 226)
        self.display.click()

    def close(self, window, proc):
        rig.send_close_request(self.display.name, window)
        self.assertEqual(self.display.wait_exit(proc, 20), 0)

    def outer_rects(self):
        out = subprocess.run(rig.Target("wine", os.environ["ABOUT_PROBE"]).command(["rects"]),
                             env=self.display.env(), stdout=subprocess.PIPE, timeout=30).stdout.decode()
        return [tuple(int(v) for v in line.split()) for line in out.splitlines() if line.strip()]

    # Tests

    def test_centred_400_by_300_with_its_background_logo_texts_and_button(self):
        proc = self.start(["/c"])
        (window, cx, cy), = self.wait_about(proc=proc)
        # 1365 pixels wide: (1365 - 400) * 0.5 = 482.5, truncated to 482.
        if rig.TARGET.wine:
            self.assertEqual(self.outer_rects(), [(482, 234, 400, 300)])
        else:
            self.assertEqual(self.display.geometry(window), (482, 234, 400, 300))
        self.assertEqual(self.display.windows(SAVER_TITLE), [], "the settings request opened a saver window")

        shot = self.display.screenshot()
        for px, py in ((5, 5), (390, 100), (30, 260), (5, 140)):
            self.assertEqual(shot.pixel(cx + px, cy + py), BACKGROUND, (px, py))

        logo = read_bmp(LOGO)
        self.assertEqual((len(logo[0]), len(logo)), (110, 83))
        for y in range(83):
            for x in range(110):
                self.assertEqual(shot.pixel(cx + 142 + x, cy + 55 + y), logo[y][x], "logo pixel (%d, %d)" % (x, y))

        # Within the smaller client area of the Windows build too.
        notice = (cx + 20, cy + 150, cx + 390, cy + 210)
        header = (cx + 110, cy + 20, cx + 390, cy + 40)
        self.assertGreater(shot.count(is_blue, notice), 300, "blue notice text")
        self.assertEqual(shot.count(is_dark, notice), 0)
        self.assertGreater(shot.count(is_dark, header), 150, "black header text")
        self.assertEqual(shot.count(is_blue, header), 0)

        button = (cx + 152, cy + 212, cx + 248, cy + 240)
        face = shot.count(lambda p: p[0] == p[1] == p[2] and p[0] > 200, button)
        self.assertGreater(face, 0.6 * 96 * 28, "grey button face")
        self.assertGreater(shot.count(is_dark, button), 60, "button caption")
        self.assertEqual(shot.count(lambda p: p == BACKGROUND, button), 0)
        self.close(window, proc)

    def test_screen_smaller_than_the_window_gives_a_negative_position(self):
        small = rig.Display(rig.TARGET, 320, 240).__enter__()
        self.addCleanup(small.__exit__, None, None, None)
        self.display = small
        self.hold_display_open()
        proc = self.start(["/c"])
        window = small.wait_window(TITLE, 30)
        # (320 - 400) * 0.5 = -40, (240 - 300) * 0.5 = -30
        if rig.TARGET.wine:
            rig.wait_until(lambda: self.outer_rects(), 20, 0.2, "the window's rectangle")
            # Windows itself caps the size at the screen's plus the frame.
            (x, y, _, _), = self.outer_rects()
            self.assertEqual((x, y), (-40, -30))
        else:
            self.assertEqual(small.geometry(window), (-40, -30, 400, 300))
        self.close(window, proc)

    def test_each_click_opens_exactly_the_site_and_the_window_stays(self):
        proc = self.start(["/c:5678"])
        (window, cx, cy), = self.wait_about(proc=proc)
        self.assertEqual(self.display.windows(SAVER_TITLE), [])
        expected = "1:" + site_address()
        self.click_button(cx, cy)
        rig.wait_until(lambda: self.opened(), 30, 0.1, "the browser to be asked")
        self.assertEqual(self.opened(), [expected])
        self.click_button(cx, cy)
        rig.wait_until(lambda: len(self.opened()) >= 2, 30, 0.1, "the second opening")
        self.assertEqual(self.opened(), [expected, expected])
        # A click elsewhere opens nothing.
        self.display.mousemove(cx + 30, cy + 260)
        self.display.click()
        time.sleep(1.5)
        self.assertEqual(len(self.opened()), 2)
        self.assertIsNone(proc.poll())
        self.assertEqual(self.display.visible_windows(TITLE), [window])
        self.close(window, proc)

    def test_escape_and_enter_do_nothing_and_the_close_box_ends_with_0(self):
        proc = self.start(["/c"])
        (window, cx, cy), = self.wait_about(proc=proc)
        self.display.mousemove(cx + 30, cy + 260)
        for key in ("Escape", "Return", "KP_Enter"):
            self.display.key(key)
        # With the button focused by a click, Enter still must not press it.
        self.click_button(cx, cy)
        rig.wait_until(lambda: self.opened(), 30, 0.1, "the browser to be asked")
        for key in ("Return", "Escape", "KP_Enter"):
            self.display.key(key)
        time.sleep(2)
        self.assertEqual(len(self.opened()), 1)
        self.assertIsNone(proc.poll())
        self.assertEqual(self.display.visible_windows(TITLE), [window])
        if not rig.TARGET.wine:
            # Space presses the focused button, as it does on Windows.
            self.display.key("space")
            rig.wait_until(lambda: len(self.opened()) == 2, 10, 0.1, "Space to press the button")
        self.close(window, proc)

    def test_held_button_looks_pressed_and_a_release_outside_opens_nothing(self):
        proc = self.start(["/c"])
        (window, cx, cy), = self.wait_about(proc=proc)
        box = (cx + 150, cy + 210, cx + 250, cy + 242)
        raised = self.display.screenshot().region(*box)
        self.display.mousemove(cx + 200, cy + 226)
        self.display.run(["xdotool", "mousedown", "1"])
        rig.wait_until(lambda: self.display.screenshot().region(*box) != raised, 10, 0.1, "the pressed look")
        self.assertNotEqual(self.display.screenshot().pixel(cx + 150, cy + 210), raised[0])
        # Dragged off the button it rises again, and letting go there is no click.
        self.display.mousemove(cx + 30, cy + 260)
        # (Only the raised corner: a focused button may draw a focus mark inside.)
        rig.wait_until(lambda: self.display.screenshot().pixel(cx + 150, cy + 210) == raised[0], 10, 0.1,
                       "the raised look")
        self.display.run(["xdotool", "mouseup", "1"])
        time.sleep(2)
        self.assertEqual(self.opened(), [])
        self.assertIsNone(proc.poll())
        self.close(window, proc)

    def test_window_destroyed_or_connection_killed_by_another_client_ends_with_0(self):
        if rig.TARGET.wine:
            self.skipTest("Wine's own X windows are not the program's")
        for command in ("windowclose", "windowkill"):
            proc = self.start(["/c"])
            (window, _, _), = self.wait_about(proc=proc)
            self.display.run(["xdotool", command, str(window)])
            self.assertEqual(self.display.wait_exit(proc, 20), 0, command)

    def test_alt_f4_closes_it_on_windows(self):
        if not rig.TARGET.wine:
            self.skipTest("Alt+F4 belongs to the window manager on Linux")
        proc = self.start(["/c"])
        (window, cx, cy), = self.wait_about(proc=proc)
        self.display.mousemove(cx + 30, cy + 260)
        self.display.key("alt+F4")
        self.assertEqual(self.display.wait_exit(proc, 20), 0)

    def test_only_command_ten_opens_the_site(self):
        if not rig.TARGET.wine:
            self.skipTest("window commands exist only on Windows")
        proc = self.start(["/c"])
        (window, _, _), = self.wait_about(proc=proc)
        probe = rig.Target("wine", os.environ["ABOUT_PROBE"])
        for wparam in ("11", "0x1000A", "30", "0"):
            self.assertEqual(subprocess.run(probe.command(["command", wparam]), env=self.display.env(),
                                            timeout=30).returncode, 0)
        time.sleep(3)
        self.assertEqual(self.opened(), [])
        subprocess.run(probe.command(["command", "10"]), env=self.display.env(), timeout=30, check=True)
        rig.wait_until(lambda: self.opened(), 30, 0.1, "the browser to be asked")
        self.assertEqual(self.opened(), ["1:" + site_address()])
        self.close(window, proc)

    def end_plain_run(self, proc):
        self.display.mousemove(5, 5)  # on the saver, off the About windows
        self.display.click()  # a button reaches it wherever the keyboard focus is
        self.assertEqual(self.display.wait_exit(proc, 20), 0)
        rig.wait_until(lambda: not self.display.windows(SAVER_TITLE), 20, 0.1, "the saver window to go")

    def test_two_about_windows_at_once_and_no_instance_marker_tested_or_held(self):
        # A plain run holds the single-instance marker: the settings requests
        # do not look at it.
        plain = self.start([])
        self.display.wait_window(SAVER_TITLE, 30)
        first = self.start(["/c"])
        self.wait_about(1, first)
        second = self.start(["/c"])
        windows = self.wait_about(2, second)
        self.assertEqual(len(windows), 2)
        if rig.TARGET.wine:
            self.assertEqual(len(self.outer_rects()), 2)
        # (Killed: a full-screen window that lost the focus to the About
        # windows is minimised on Windows, out of reach of input.)
        plain.kill()
        plain.wait(timeout=20)
        rig.wait_until(lambda: not self.display.windows(SAVER_TITLE), 20, 0.1, "the saver window to go")
        # Nor do they hold it: with both still open, a new plain run starts.
        plain = self.start([])
        self.display.wait_window(SAVER_TITLE, 30)
        self.end_plain_run(plain)
        for window, _, _ in windows:
            rig.send_close_request(self.display.name, window)
        self.assertEqual(self.display.wait_exit(first, 20), 0)
        self.assertEqual(self.display.wait_exit(second, 20), 0)

    def test_force_config_shows_it_whatever_the_switch(self):
        program = os.environ.get("ABOUT_FORCE_CONFIG_PROGRAM")
        if not program:
            self.skipTest("no forceConfig build given")
        for args in ([], ["/s"]):
            proc = self.start(args, program=program)
            (window, _, _), = self.wait_about(proc=proc)
            self.assertEqual(self.display.windows(SAVER_TITLE), [])
            self.close(window, proc)
            rig.wait_until(lambda: not self.display.windows(TITLE), 20, 0.1, "the window to go")

    def test_window_that_cannot_be_made_ends_the_process_with_0(self):
        if rig.TARGET.wine:
            # The class name is taken by a class whose windows refuse creation.
            proc = self.start([], program=os.environ["ABOUT_FAILING_HOST"], env={"WINEDEBUG": "-all,+msgbox"})
            for _ in range(2):
                self.display.dismiss_message_box("Error!", 30)
            self.assertEqual(self.display.wait_exit(proc, 20), 0)
            log = proc.stderr.read().decode(errors="replace")
            texts = [line.split('L"', 1)[1].rstrip('"') for line in log.splitlines() if "MSGBOX_OnInit" in line]
            self.assertEqual(texts, ["Window Registration Failed!", "Window Creation Failed!"])
        else:
            n = 999
            while os.path.exists("/tmp/.X11-unix/X%d" % n):
                n -= 1
            r = subprocess.run([rig.TARGET.program, "/c"], env=self.display.env({"DISPLAY": ":%d" % n}),
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=20)
            self.assertEqual(r.returncode, 0)
            self.assertIn("Error!: Window Creation Failed!", r.stderr.decode())


if __name__ == "__main__":
    rig.main(rig.parse_target())

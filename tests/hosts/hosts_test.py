"""The Linux program as screensaver hosts and users start it: the window from
XSCREENSAVER_WINDOW, --window-id or /p in either notation, host runs side by
side, stop signals, bad ids, a host that takes the saver's window away, and
the X server going away."""
import signal
import subprocess
import unittest

import rig

SAVER_TITLE = "Quillomar Screensaver"


class HostRuns(unittest.TestCase):
    def setUp(self):
        self.display = rig.Display(rig.TARGET).__enter__()
        self.addCleanup(self.display.__exit__, None, None, None)
        self.x = rig.XClient(self.display.name)
        self.addCleanup(self.x.close)

    def stars_in(self, box):
        x, y, w, h = box
        return self.display.screenshot().count(rig.lit, (x, y, x + w, y + h))

    def top_level_savers(self):
        return [w for w in self.x.children(self.x.root) if w in self.display.windows(SAVER_TITLE)]

    def failure_lines(self, args, env=None):
        r = subprocess.run([rig.TARGET.program] + args, env=self.display.env(env), stdout=subprocess.DEVNULL,
                           stderr=subprocess.PIPE, timeout=30)
        return r.returncode, r.stderr.decode().splitlines()[-2:]

    def test_every_notation_embeds_and_host_runs_draw_side_by_side(self):
        boxes = [(0, 0, 320, 240), (400, 0, 320, 240), (0, 400, 320, 240), (400, 400, 320, 240)]
        hosts = [self.x.window(*box) for box in boxes]
        runs = [self.display.start(["--root"], env={"XSCREENSAVER_WINDOW": hex(hosts[0])}),
                self.display.start(["--window-id", hex(hosts[1])]),
                self.display.start(["-window-id", str(hosts[2])]),
                self.display.start(["/p", hex(hosts[3])])]
        for box in boxes:
            rig.wait_until(lambda: self.stars_in(box) > 0, 20, 0.2, "stars in the window at %r" % (box,))
        for host in hosts:
            self.assertEqual(len(self.x.children(host)), 1)
        self.assertEqual(self.top_level_savers(), [])
        for run in runs:
            self.assertIsNone(run.poll(), run.args)
            run.terminate()
            self.assertEqual(self.display.wait_exit(run, 10), 0, run.args)

    def test_stop_signals_end_a_full_screen_run_in_order(self):
        runs = {sig: self.display.start(["/s"]) for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP)}
        rig.wait_until(lambda: len(self.display.visible_windows(SAVER_TITLE)) == 3, 20, 0.2, "three saver windows")
        for sig, run in runs.items():
            run.send_signal(sig)
            self.assertEqual(self.display.wait_exit(run, 10), 0, sig)
            self.assertEqual(run.stderr.read(), b"", sig)

    def test_bad_ids_take_the_preview_failure_path(self):
        gone = self.x.window(0, 0, 50, 50)
        self.x.destroy(gone)
        xlogo = subprocess.Popen(["xlogo"], env=self.display.env(), stderr=subprocess.DEVNULL)
        self.display.procs.append(xlogo)
        application = self.display.wait_window("xlogo")
        ids = ["0x", "0xZZ", "-5", "1" * 30, "", hex(self.x.root), str(gone), hex(application)]
        for value in ids:
            for args, env in ((["--root"], {"XSCREENSAVER_WINDOW": value}), (["--window-id", value], None)):
                if value == "" and env:
                    continue  # an empty variable is no variable
                code, lines = self.failure_lines(args, env)
                self.assertEqual(code, 0, (value, args))
                self.assertTrue(lines[0].startswith("Error: X11: "), (value, args, lines))
                self.assertEqual(lines[1], "Debug: Failed to open window", (value, args))
        self.assertEqual(self.top_level_savers(), [])

    def test_a_host_that_takes_the_window_away_ends_the_saver_with_0(self):
        # A frame that redirects its children keeps the saver's window unmapped.
        frame = self.x.window(0, 0, 200, 150, redirect=True)
        unmapped = self.display.start(["--window-id", str(frame)])
        self.assertEqual(self.display.wait_exit(unmapped, 15), 0)

        host = self.x.window(300, 0, 200, 150)
        run = self.display.start(["--window-id", str(host)])
        child = rig.wait_until(lambda: self.x.children(host), 20, 0.1, "the saver's window")[0]
        self.x.reparent(child, self.x.root)
        self.assertEqual(self.display.wait_exit(run, 10), 0)
        self.assertEqual(self.top_level_savers(), [])

    def test_help_and_version(self):
        for option, text in (("--help", "XSCREENSAVER_WINDOW"), ("--version", "quillomar ")):
            r = subprocess.run([rig.TARGET.program, option], stdout=subprocess.PIPE, timeout=10)
            self.assertEqual(r.returncode, 0)
            self.assertIn(text, r.stdout.decode())


class LostDisplay(unittest.TestCase):
    def test_saver_and_preview_end_with_0_when_the_server_goes_away(self):
        with rig.Display(rig.TARGET) as display:
            x = rig.XClient(display.name)
            host = x.window(0, 0, 200, 150)
            runs = [display.start(["/s"]), display.start(["--window-id", str(host)])]
            display.wait_window(SAVER_TITLE)
            rig.wait_until(lambda: x.children(host), 20, 0.1, "the saver's window in the host")
            display.xvfb.kill()
            display.xvfb.wait(timeout=10)
            for run in runs:
                self.assertEqual(display.wait_exit(run, 10), 0, run.args)


if __name__ == "__main__":
    rig.main(rig.parse_target())

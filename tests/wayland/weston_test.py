"""The stars show on weston's pixman renderer, which shows a 10-bit config
black: the saver must have picked 8 bits a channel. A compositor without
xdg-shell is refused in order."""
import signal
import unittest

import rig
import wayland_rig as W


class WestonRun(unittest.TestCase):
    def test_stars_show_and_sigterm_ends_with_0(self):
        weston = W.Weston(rig.TARGET.program).__enter__()
        self.addCleanup(weston.__exit__)
        saver = weston.saver("/s")
        rig.wait_until(lambda: saver.poll() is not None or W.stars_on_black(weston.screenshot()), 20, 0.5,
                       "stars on the screen")
        self.assertIsNone(saver.poll(), saver.stderr.read().decode() if saver.poll() is not None else "")
        saver.send_signal(signal.SIGTERM)
        self.assertEqual(W.wait_exit(saver, 5), 0)
        self.assertEqual(saver.stderr.read().decode(), "")

    def test_compositor_without_xdg_shell_fails_start_with_0(self):
        weston = W.Weston(rig.TARGET.program, shell="fullscreen-shell.so").__enter__()
        self.addCleanup(weston.__exit__)
        saver = weston.saver("/s")
        self.assertEqual(W.wait_exit(saver, 10), 0)
        self.assertIn("Debug: Failed to open window", saver.stderr.read().decode())


if __name__ == "__main__":
    W.require("weston", "weston-screenshooter")
    rig.main(rig.parse_target())

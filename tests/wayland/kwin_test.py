"""The saver on KDE Plasma's KWin 5.27, virtual: at a fractional scale it
draws at the output's own pixels through the fractional-scale protocol, and
the README's swayidle line starts it through KWin's idle protocol, once."""
import os
import signal
import subprocess
import unittest

import rig
import wayland_rig as W


class KWinRun(unittest.TestCase):
    def kwin(self, scale):
        kwin = W.KWin(rig.TARGET.program, scale).__enter__()
        self.addCleanup(kwin.__exit__)
        return kwin

    def test_a_fractional_scale_gets_the_outputs_own_pixels(self):
        text, sizes = self.kwin("1.5").first_buffers("/s")
        self.assertIn("preferred_scale(180)", text)
        self.assertIn("set_destination(1280, 720)", text)
        self.assertEqual(sizes, {(1920, 1080)})

    def test_swayidle_starts_one_saver(self):
        kwin = self.kwin("1")
        savers = lambda: subprocess.run(["pgrep", "-f", "^%s --root$" % kwin.program],
                                        stdout=subprocess.PIPE).stdout.split()
        kwin.popen(["swayidle", "-w", "timeout", "1", kwin.program + " --root &"])
        rig.wait_until(lambda: len(savers()) == 1, 20, 0.1, "the saver")
        second = kwin.saver("/s")
        self.assertEqual(W.wait_exit(second, 10), 0)
        self.assertEqual(len(savers()), 1)
        os.kill(int(savers()[0]), signal.SIGTERM)


if __name__ == "__main__":
    W.require("kwin_wayland", "dbus-run-session", "swayidle")
    rig.main(rig.parse_target())

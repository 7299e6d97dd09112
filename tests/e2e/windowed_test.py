"""The saver in an ordinary window (useMonitor off): its size and title, and
the close command ending the run in order."""
import unittest

import rig

TITLE = "Quillomar Screensaver"


class WindowedRun(unittest.TestCase):
    def setUp(self):
        self.display = rig.Display(rig.TARGET).__enter__()
        self.addCleanup(self.display.__exit__, None, None, None)

    def test_ordinary_800_by_600_window_that_the_close_command_ends(self):
        proc = self.display.start(["/s"])
        window = self.display.wait_window(TITLE, 30)
        _, _, width, height = self.display.geometry(window)
        self.assertEqual((width, height), (800, 600))
        self.assertIsNone(proc.poll())
        rig.send_close_request(self.display.name, window)
        self.assertEqual(self.display.wait_exit(proc, 15), 0)


if __name__ == "__main__":
    rig.main(rig.parse_target())

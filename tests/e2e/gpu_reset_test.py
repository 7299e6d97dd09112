"""A GPU reset under the saver, injected through its GL table: the first
brings the stars back on a new context in the same process; a second one
soon after ends the run in order with 0, the X screensaver timer put back.
Runs natively and under Wine."""
import unittest

import rig

TITLE = "Quillomar Screensaver"


class GpuReset(unittest.TestCase):
    def test_a_reset_brings_the_stars_back_and_a_second_ends_the_run_in_order(self):
        with rig.Display(rig.TARGET) as display:
            display.run(["xset", "s", "600", "600"])
            proc = display.start(["/s"])
            first = display.wait_window(TITLE, 30)
            rig.wait_until(lambda: [w for w in display.visible_windows(TITLE) if w != first], 30, 0.1,
                           "the window of the new context")
            rig.wait_until(lambda: display.screenshot().count(rig.lit) > 50, 15, 0.2, "stars on the new context")
            self.assertIsNone(proc.poll(), "the reset ended the process")
            self.assertEqual(display.wait_exit(proc, 60), 0)
            if not display.target.wine:
                self.assertIn("The GPU was reset again", proc.stderr.read().decode())
            self.assertRegex(display.run(["xset", "q"]), r"timeout:\s+600\s+cycle:\s+600")


if __name__ == "__main__":
    rig.main(rig.parse_target())

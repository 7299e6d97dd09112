"""The saver where OpenGL runs in software (Xvfb's llvmpipe): by itself it
draws the light picture, one sample per pixel at about 30 frames a second,
and --quality full brings back the 4 samples. Runs a build of the saver that
reports its swaps and sample count when it ends."""
import re
import time
import unittest

import rig

TITLE = "Quillomar Screensaver"


class SoftwareGl(unittest.TestCase):
    def setUp(self):
        self.display = rig.Display(rig.TARGET).__enter__()
        self.addCleanup(self.display.__exit__, None, None, None)

    def run_until_key(self, args, seconds=2.0):
        """Swaps, samples and the seconds between the first and last swap."""
        proc = self.display.start(args)
        self.display.wait_window(TITLE, 30)
        rig.wait_until(lambda: self.display.screenshot().count(rig.lit) > 50, 15, 0.5, "stars on the screen")
        time.sleep(seconds)
        self.display.key("a")
        self.assertEqual(self.display.wait_exit(proc, 15), 0)
        report = re.search(rb"swaps (\d+) samples (-?\d+) seconds ([\d.]+)", proc.stderr.read())
        self.assertIsNotNone(report, "no swap report")
        return int(report[1]), int(report[2]), float(report[3])

    def test_automatic_choice_draws_one_sample_at_about_30_frames(self):
        swaps, samples, seconds = self.run_until_key(["/s"])
        self.assertEqual(samples, 0)
        rate = (swaps - 1) / seconds
        self.assertLessEqual(rate, 32)
        self.assertGreater(rate, 12, "the light picture is not drawn steadily")

    def test_quality_full_forces_four_samples(self):
        _, samples, _ = self.run_until_key(["/s", "--quality", "full"], seconds=0.0)
        self.assertEqual(samples, 4)


if __name__ == "__main__":
    rig.main(rig.parse_target())

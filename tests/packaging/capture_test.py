"""The capture tool: the same seed and clock give the same frames twice, and
its frame of seed 45 at 320 x 240, drawn with the render tests' context (no
multisampling), matches the golden frame within the golden test's tolerance.
    capture_test.py CAPTURE_FRAMES GOLDEN.ppm   (on a display)"""
import os
import subprocess
import sys
import tempfile
import unittest

TOOL, GOLDEN = None, None


def capture(folder):
    subprocess.run([TOOL, folder, "--size", "320x240", "--start", "1.23456", "--step", "0.1", "--skip", "58",
                    "--frames", "3", "--samples", "0"], check=True, stdout=subprocess.DEVNULL, timeout=120)
    frames = []
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), "rb") as f:
            frames.append(f.read())
    return frames


def ppm_pixels(data):
    magic, width, height, _, pixels = data.split(maxsplit=4)
    assert magic == b"P6" and (int(width), int(height)) == (320, 240)
    return pixels


class Capture(unittest.TestCase):
    def test_repeatable_and_seed_45_matches_the_golden_frame(self):
        with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
            first, second = capture(a), capture(b)
            self.assertEqual(len(first), 3)
            self.assertEqual(first, second)
            # Frame 60 of the golden test's clock is the third written here.
            ppm = subprocess.run(["/usr/bin/convert", os.path.join(a, "frame_00002.png"), "ppm:-"],
                                 stdout=subprocess.PIPE, check=True, timeout=60).stdout
        with open(GOLDEN, "rb") as f:
            golden = ppm_pixels(f.read())
        frame = ppm_pixels(ppm)
        differing = sum(1 for i in range(0, len(frame), 3)
                        if any(abs(frame[i + c] - golden[i + c]) > 16 for c in range(3)))
        self.assertLessEqual(differing, 320 * 240 // 200)


if __name__ == "__main__":
    TOOL, GOLDEN = sys.argv.pop(1), sys.argv.pop(1)
    unittest.main(verbosity=2)

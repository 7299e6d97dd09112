"""The monitor without the stars unplugged and plugged back ten times during
one saver run, in the sanitizer build: its window goes and comes each time,
and the run ends with 0 and no sanitizer report."""
import unittest

import rig
from monitors_test import windows_on_screen

CYCLES = 10


class Replug(unittest.TestCase):
    def test_ten_unplugs_of_the_other_monitor(self):
        with rig.TwoMonitorDisplay(rig.TARGET) as display:
            # Leaks are not checked: Mesa's driver, unloaded at exit, leaves
            # allocations no stack can name, with or without a monitor change.
            proc = display.start(["/s"], env={"ASAN_OPTIONS": "detect_leaks=0:exitcode=23",
                                              "UBSAN_OPTIONS": "print_stacktrace=1"})
            rig.wait_until(lambda: len(windows_on_screen(display)) == 2, 30, 0.1, "both windows")
            on = ["xrandr", "--output", "DUMMY1", "--mode", "1024x768", "--pos", "1280x0"]
            for cycle in range(CYCLES):
                display.run(["xrandr", "--output", "DUMMY1", "--off"])
                rig.wait_until(lambda: len(windows_on_screen(display)) == 1, 10, 0.1,
                               "the window to go (cycle %d)" % cycle)
                display.run(on)
                rig.wait_until(lambda: len(windows_on_screen(display)) == 2, 10, 0.1,
                               "a new window (cycle %d)" % cycle)
            display.mousemove(1700, 400)
            display.click(1)
            code = display.wait_exit(proc, 30)
            errors = proc.stderr.read().decode(errors="replace")
        self.assertNotRegex(errors, "Sanitizer|runtime error", errors)
        self.assertEqual(code, 0, errors)


if __name__ == "__main__":
    rig.main(rig.parse_target())

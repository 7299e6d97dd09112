"""swayidle starts the saver, and its later timeout still fires while the saver
runs (no idle inhibitor). With the star output's workspace hidden its frame
callbacks stop: the saver must then neither spin nor stall, and a key on
another output still ends it at once (hidden for 3 s, it ends by itself, as
under a locker)."""
import os
import time
import unittest

import rig
import wayland_rig as W

WRAPPER = """#!/bin/sh
"{program}" "$@" 2>"{dir}/saver.err" &
echo $! > "{dir}/pid"
wait $!
echo $? > "{dir}/exit"
"""


class IdleDaemon(unittest.TestCase):
    def read(self, name):
        try:
            with open(os.path.join(self.sway.dir, name)) as f:
                return f.read().strip()
        except FileNotFoundError:
            return None

    def test_swayidle_starts_it_later_timeouts_fire_and_hidden_stars_cost_nothing(self):
        self.sway = sway = W.Sway(rig.TARGET.program, outputs=2).__enter__()
        self.addCleanup(sway.__exit__)
        wrapper = os.path.join(sway.dir, "run-saver")
        with open(wrapper, "w") as f:
            f.write(WRAPPER.format(program=sway.program, dir=sway.dir))
        os.chmod(wrapper, 0o755)
        # With -w swayidle waits for each command, so the saver goes to the background.
        sway.popen(["swayidle", "-w", "timeout", "2", wrapper + " --root &",
                    "timeout", "5", "touch " + os.path.join(sway.dir, "later")])
        pid = int(rig.wait_until(lambda: self.read("pid"), 10, 0.1, "swayidle to start the saver"))
        self.addCleanup(lambda: self.read("exit") or os.kill(pid, 9))
        rig.wait_until(lambda: self.read("later") is not None, 10, 0.1, "the later timeout")
        self.assertIsNone(self.read("exit"), "the saver still runs")

        rig.wait_until(lambda: W.stars_on_black(sway.screenshot("HEADLESS-1")), 10, 0.3, "stars")
        sway.msg("focus", "output", "HEADLESS-1")
        sway.msg("workspace", "9")
        # Within the 3 s after which stars that get no frame end the run.
        time.sleep(0.3)
        start = W.cpu_seconds(pid)
        time.sleep(1.5)
        self.assertLess((W.cpu_seconds(pid) - start) / 1.5, 0.1, "a hidden star output must not keep a core busy")

        sway.msg("focus", "output", "HEADLESS-2")
        sway.run(["wtype", "-s", "500", "a"])
        self.assertEqual(rig.wait_until(lambda: self.read("exit"), 3, 0.05, "the key to end it"), "0")
        self.assertEqual(self.read("saver.err"), "")


if __name__ == "__main__":
    W.require("sway", "swaymsg", "swayidle", "grim", "wtype")
    rig.main(rig.parse_target())

#!/usr/bin/env python3
"""The frame loop on two monitors, rounds with the second one blanked taking
turns with rounds without, then on one monitor, all on one Xorg dummy server:
    python3 bench/monitors_frame_loop.py build/native"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import rig  # noqa: E402


def main():
    bench = os.path.join(os.path.abspath(sys.argv[1]), "bench", "frame_loop_bench")
    with rig.TwoMonitorDisplay(rig.Target("native", bench)) as display:
        for xrandr in (["--mode", "1024x768", "--pos", "1280x0"], ["--off"]):
            display.run(["xrandr", "--output", "DUMMY1"] + xrandr)
            subprocess.run([bench, "--benchmark_filter=fullScenePass|clearAndSwap"], env=display.env(),
                           timeout=900, check=True)


if __name__ == "__main__":
    main()

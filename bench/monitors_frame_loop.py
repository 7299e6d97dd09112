#!/usr/bin/env python3
"""The frame loop on two monitors (the second one blanked) against one, on the
same Xorg dummy server, the runs alternating:
    python3 bench/monitors_frame_loop.py build/native [runs]"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import rig  # noqa: E402


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    bench = os.path.join(build, "bench", "frame_loop_bench")
    results = {"two": [], "one": []}
    with rig.TwoMonitorDisplay(rig.Target("native", bench)) as display:
        for _ in range(runs):
            for layout, xrandr in (("two", ["--mode", "1024x768", "--pos", "1280x0"]), ("one", ["--off"])):
                display.run(["xrandr", "--output", "DUMMY1"] + xrandr)
                out = subprocess.run([bench, "--benchmark_filter=fullScenePass|clearAndSwap"], env=display.env(),
                                     stdout=subprocess.PIPE, timeout=600, check=True).stdout.decode()
                line = re.search(r"fullScenePass: median ([\d.]+) fps against ([\d.]+) fps", out)
                monitors = re.search(r"(\d+) monitor\(s\)", out).group(1)
                results[layout].append((float(line.group(1)), float(line.group(2))))
                print("%s monitor(s): fullScenePass %s fps, clearAndSwap %s fps" % (monitors, *line.groups()),
                      flush=True)
    median = lambda values: sorted(values)[len(values) // 2]
    two = median([scene for scene, _ in results["two"]])
    one = median([scene for scene, _ in results["one"]])
    print("fullScenePass median: two monitors %.1f fps, one monitor %.1f fps, ratio %.3f (goal >= 0.95)"
          % (two, one, two / one))


if __name__ == "__main__":
    main()

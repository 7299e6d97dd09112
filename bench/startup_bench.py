#!/usr/bin/env python3
"""Start-up to the first presented frame: the saver against a bare GLFW program
that opens the same window and context and presents one cleared frame.
Usage: startup_bench.py BUILD_DIR [--wine] [--runs N]"""
import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import rig  # noqa: E402


def timed(display, program, runs):
    samples = []
    for _ in range(runs):
        start = time.perf_counter()
        proc = display.start([], stderr=subprocess.DEVNULL)
        code = display.wait_exit(proc, 60)
        samples.append(time.perf_counter() - start)
        if code != 0:
            raise SystemExit("%s exited with %d" % (program, code))
    return statistics.median(samples), min(samples)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--wine", action="store_true")
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()
    ext = ".exe" if args.wine else ""
    results = {}
    for name in ("bare_first_frame", "quillomar_first_frame"):
        program = os.path.join(args.build, "tools", name + ext)
        target = rig.Target("wine" if args.wine else "native", program, os.path.join(args.build, "wineprefix"))
        with rig.Display(target) as display:
            display.start([], stderr=subprocess.DEVNULL).wait(60)  # warm caches and the wineserver
            results[name] = timed(display, program, args.runs)
    bare, saver = results["bare_first_frame"], results["quillomar_first_frame"]
    print("bare GLFW program: median %.1f ms, best %.1f ms" % (bare[0] * 1000, bare[1] * 1000))
    print("saver:             median %.1f ms, best %.1f ms" % (saver[0] * 1000, saver[1] * 1000))
    print("ratio (median):    %.2f" % (saver[0] / bare[0]))


if __name__ == "__main__":
    main()

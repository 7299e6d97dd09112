#!/usr/bin/env python3
"""Start-up to the first presented frame: the saver against a bare GLFW program
that opens the same window and context and presents one cleared frame.
Both end right after that frame, so the figures are process start to exit.
Usage: startup_bench.py BUILD_DIR [--wine] [--runs N]"""
import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import rig  # noqa: E402

# How the screen saver settings start the saver.
ARGS = {"bare_first_frame": [], "quillomar_first_frame": ["/s"]}


def timed_run(display, target, name):
    display.target = target
    start = time.perf_counter()
    proc = display.start(ARGS[name], stderr=subprocess.DEVNULL)
    code = display.wait_exit(proc, 60)
    elapsed = time.perf_counter() - start
    if code != 0:
        raise SystemExit("%s exited with %d" % (target.program, code))
    return elapsed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--wine", action="store_true")
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()
    ext = ".exe" if args.wine else ""
    kind = "wine" if args.wine else "native"
    # Wine refuses a relative WINEPREFIX.
    build = os.path.abspath(args.build)
    targets = {}
    for name in ARGS:
        program = os.path.join(build, "bench", name + ext)
        if not os.path.exists(program):
            raise SystemExit("not built: " + program)
        targets[name] = rig.Target(kind, program, os.path.join(build, "wineprefix"))

    samples = {name: [] for name in ARGS}
    # One display and, under Wine, one running wineserver for both programs;
    # the runs alternate so a change in the machine's load reaches both alike.
    with rig.Display(targets["bare_first_frame"]) as display:
        for name in ARGS:  # warm the file cache and the wineserver
            timed_run(display, targets[name], name)
        for _ in range(args.runs):
            for name in ARGS:
                samples[name].append(timed_run(display, targets[name], name))

    bare, saver = samples["bare_first_frame"], samples["quillomar_first_frame"]
    for label, values in (("bare GLFW program", bare), ("saver", saver)):
        print("%-18s median %.1f ms, best %.1f ms, worst %.1f ms (%d runs)" % (
            label + ":", statistics.median(values) * 1000, min(values) * 1000, max(values) * 1000, len(values)))
    print("ratio (median):    %.2f" % (statistics.median(saver) / statistics.median(bare)))
    print("ratio (best):      %.2f" % (min(saver) / min(bare)))


if __name__ == "__main__":
    main()

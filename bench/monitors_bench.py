#!/usr/bin/env python3
"""The saver on the two-monitor Xorg dummy server (1280 x 720 and 1024 x 768,
60 Hz, no display wait: the Linux pacing keeps the rate): frames per second on
each monitor and the whole process's CPU share (llvmpipe's threads included),
with stars on the primary alone and with stars on both, runs taken in turn,
medians side by side:
    python3 bench/monitors_bench.py build/bench [--seconds S] [--runs N] [--quality Q]
(build/bench: a build with -DQUILLOMAR_BENCH=ON.)"""
import argparse
import os
import re
import signal
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import rig  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def run(display, args, seconds):
    proc = display.start(["/s"] + args)
    time.sleep(3)  # past the start-up work
    cpu, wall = cpu_seconds(proc.pid), time.monotonic()
    time.sleep(seconds)
    share = (cpu_seconds(proc.pid) - cpu) / (time.monotonic() - wall)
    proc.send_signal(signal.SIGTERM)
    _, err = proc.communicate(timeout=30)
    fps = {m.group(1): float(m.group(2)) for m in re.finditer(r"window (\S+) fps ([\d.]+)", err.decode())}
    return share, fps


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--quality", default="auto", choices=("auto", "full", "light"))
    options = parser.parse_args()
    program = os.path.join(os.path.abspath(options.build), "bench", "quillomar_window_swaps")
    results = {"primary": [], "all": []}
    with rig.TwoMonitorDisplay(rig.Target("native", program)) as display:
        for _ in range(options.runs):
            for choice in results:
                results[choice].append(run(display, ["--monitors", choice, "--quality", options.quality],
                                           options.seconds))
    print("%-8s %10s  %s" % ("monitors", "CPU", "frames per second by window"))
    for choice, runs in results.items():
        share = statistics.median(r[0] for r in runs)
        windows = sorted({w for r in runs for w in r[1]})
        fps = ", ".join("%s %.1f" % (w, statistics.median(r[1].get(w, 0.0) for r in runs)) for w in windows)
        print("%-8s %9.0f%%  %s" % (choice, share * 100, fps))
    ratio = statistics.median(r[0] for r in results["all"]) / statistics.median(r[0] for r in results["primary"])
    print("CPU, all against primary: %.2fx" % ratio)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""CPU time per second of `quillomar /s` against a clear-and-present loop
paced the same way (and, for scale, one that is not paced), each full screen
on one Xvfb display, where the swap does not wait for a retrace. The CPU time
is the whole process's (the software rasteriser has threads of its own).
Usage: pacing_bench.py BUILD_DIR [--seconds S] [--runs N]"""
import argparse
import os
import signal
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import rig  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def cpu_share(display, program, args, seconds):
    display.target = rig.Target("native", program)
    proc = display.start(args)
    display.wait_window("Quillomar Screensaver")
    time.sleep(1.0)  # past the start-up work
    start_cpu, start = cpu_seconds(proc.pid), time.monotonic()
    time.sleep(seconds)
    share = (cpu_seconds(proc.pid) - start_cpu) / (time.monotonic() - start)
    proc.send_signal(signal.SIGTERM)
    if display.wait_exit(proc, 20) != 0:
        raise SystemExit("%s exited with %d" % (program, proc.returncode))
    return share


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--seconds", type=float, default=5.0)
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    loop = os.path.join(args.build, "bench", "paced_clear_loop")
    runs = {"quillomar /s": (os.path.join(args.build, "quillomar"), ["/s"]),
            "clear and present, paced": (loop, []),
            "clear and present, unpaced": (loop, ["--unpaced"])}
    samples = {name: [] for name in runs}
    # One display; the programs take turns so the machine's load reaches each alike.
    with rig.Display(rig.Target("native", runs["quillomar /s"][0])) as display:
        for _ in range(args.runs):
            for name, (program, extra) in runs.items():
                samples[name].append(cpu_share(display, program, extra, args.seconds))
    for name, values in samples.items():
        print("%-28s median %5.1f %% of a core (%s)" % (
            name + ":", 100 * statistics.median(values), ", ".join("%.1f" % (100 * v) for v in values)))
    ratio = statistics.median(samples["quillomar /s"]) / statistics.median(samples["clear and present, paced"])
    print("saver / paced clear-and-present: %.2f (goal within 20 %%)" % ratio)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""On headless sway (two 60 Hz outputs, 1280 x 720 and 1024 x 768): the
saver's frame rate on the star output, its CPU time against a clear-and-present
loop paced by the same frame callbacks, and its CPU time with the star
output's workspace hidden. CPU time is the whole process's (llvmpipe has
threads of its own); frames are counted by a preloaded eglSwapBuffers. Each
figure is the median of RUNS runs, the saver's and the loop's taken in turn,
so a busy machine weighs on both alike. With --hidpi: the saver on a
2560 x 1440 output at scale 1 and at scale 2 (drawn at its own pixels
either way), full and light, side by side.
Usage: wayland_bench.py BUILD_DIR [--seconds S] [--runs N] [--program PATH] [--hidpi]"""
import argparse
import os
import shutil
import signal
import statistics
import struct
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(here, "..", "tests", "e2e"), os.path.join(here, "..", "tests", "wayland")]
import wayland_rig as W  # noqa: E402


def run(program, args, counter, seconds, hidden=False, star_output=None):
    """(CPU share, frames per second) of PROGRAM on a fresh sway."""
    with W.Sway(program) as sway:
        sway.msg("output", "HEADLESS-2", "mode", "1024x768")
        if star_output:
            sway.msg("output", "HEADLESS-1", "mode", star_output[0], "scale", star_output[1])
        count_file = os.path.join(sway.dir, "swaps")
        proc = sway.popen([sway.program] + args, env={"LD_PRELOAD": shutil.copy(counter, sway.dir),
                                                      "QUILLOMAR_SWAP_COUNT": count_file})
        time.sleep(2)  # past the start-up work
        if hidden:
            sway.msg("focus", "output", "HEADLESS-1")
            sway.msg("workspace", "9")
            time.sleep(1)

        def swaps():
            with open(count_file, "rb") as f:
                return struct.unpack("=Q", f.read(8))[0]
        start_cpu, start_swaps, start = W.cpu_seconds(proc.pid), swaps(), time.monotonic()
        time.sleep(seconds)
        elapsed = time.monotonic() - start
        result = ((W.cpu_seconds(proc.pid) - start_cpu) / elapsed, (swaps() - start_swaps) / elapsed)
        proc.send_signal(signal.SIGTERM)
        if W.wait_exit(proc, 10) != 0:
            raise SystemExit("%s exited with %d" % (program, proc.returncode))
        return result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--program", help="the saver (default BUILD/quillomar)")
    parser.add_argument("--hidpi", action="store_true")
    args = parser.parse_args()
    saver = args.program or os.path.join(args.build, "quillomar")
    loop = os.path.join(args.build, "bench", "wayland_clear_loop")
    counter = os.path.join(args.build, "bench", "libswap_counter.so")
    if args.hidpi:
        return hidpi(saver, counter, args)
    samples = {"saver": [], "loop": [], "hidden": []}
    for _ in range(args.runs):
        samples["saver"].append(run(saver, ["/s"], counter, args.seconds))
        samples["loop"].append(run(loop, [], counter, args.seconds))
        samples["hidden"].append(run(saver, ["/s"], counter, args.seconds, hidden=True))
    cpu = {k: statistics.median(c for c, _ in v) for k, v in samples.items()}
    fps = {k: statistics.median(f for _, f in v) for k, v in samples.items()}
    per_frame = {k: statistics.median(c / f * 1000 for c, f in v if f > 0) for k, v in samples.items() if k != "hidden"}
    print("frame rate on the star output: quillomar /s %.1f / s, clear and present %.1f / s" % (fps["saver"],
                                                                                              fps["loop"]))
    print("CPU, quillomar /s:             %.1f %% of a core, %.2f ms a frame" % (100 * cpu["saver"],
                                                                              per_frame["saver"]))
    print("CPU, clear and present:        %.1f %% of a core, %.2f ms a frame" % (100 * cpu["loop"],
                                                                              per_frame["loop"]))
    print("ratio:                         %.2f (a second), %.2f (a frame)" % (cpu["saver"] / cpu["loop"],
                                                                           per_frame["saver"] / per_frame["loop"]))
    print("CPU, star output hidden:       %.2f %% of a core, %.1f frames / s" % (100 * cpu["hidden"],
                                                                              fps["hidden"]))


def hidpi(saver, counter, args):
    cases = [(quality, scale) for quality in ("full", "light") for scale in ("1", "2")]
    samples = {case: [] for case in cases}
    for _ in range(args.runs):
        for quality, scale in cases:
            samples[(quality, scale)].append(run(saver, ["/s", "--quality", quality], counter, args.seconds,
                                                 star_output=("2560x1440", scale)))
    print("2560 x 1440 output    scale 1                     scale 2")
    for quality in ("full", "light"):
        cells = ["%5.1f frames/s %5.1f %% CPU" % (statistics.median(f for _, f in samples[(quality, scale)]),
                                                  100 * statistics.median(c for c, _ in samples[(quality, scale)]))
                 for scale in ("1", "2")]
        print("%-20s  %s   %s" % (quality, cells[0], cells[1]))


if __name__ == "__main__":
    main()

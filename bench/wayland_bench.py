#!/usr/bin/env python3
"""On headless sway (two 60 Hz outputs, 1280 x 720 and 1024 x 768): the
saver's frame rate on the star output, its CPU time against a clear-and-present
loop paced by the same frame callbacks, and its CPU time with the star
output's workspace hidden. CPU time is the whole process's (llvmpipe has
threads of its own); frames are counted by a preloaded eglSwapBuffers. Each
figure is the median of RUNS runs, the saver's and the loop's taken in turn,
so a busy machine weighs on both alike. With --hidpi: the saver on a
2560 x 1440 output at scale 1 and at scale 2 (drawn at its own pixels
either way), full and light, side by side. With --monitors: full and light,
the stars on the primary output alone against the stars on both (and on
both with HEADLESS-2 at 30 Hz): each output's frame rate and the CPU time.
Usage: wayland_bench.py BUILD_DIR [--seconds S] [--runs N] [--program PATH] [--hidpi | --monitors]"""
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


SIZES = {(1280, 720): "HEADLESS-1", (1024, 768): "HEADLESS-2"}


def run(program, args, counter, seconds, hidden=False, star_output=None, per_output=None, mode2="1024x768"):
    """(CPU share, frames per second) of PROGRAM on a fresh sway; PER_OUTPUT,
    a dictionary, takes each output's frames per second, the output told by
    its surface's size."""
    with W.Sway(program) as sway:
        sway.msg("output", "HEADLESS-2", "mode", mode2)
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
            """The total and, by output, the swaps so far."""
            with open(count_file, "rb") as f:
                data = f.read()
            by_output = {}
            for offset in range(8, len(data) - 15, 16):
                width, height, count = struct.unpack_from("=IIQ", data, offset)
                name = SIZES.get((width, height))
                if name:
                    by_output[name] = by_output.get(name, 0) + count
            return struct.unpack_from("=Q", data)[0], by_output
        start_cpu, (start_swaps, start_outputs), start = W.cpu_seconds(proc.pid), swaps(), time.monotonic()
        time.sleep(seconds)
        elapsed = time.monotonic() - start
        end_swaps, end_outputs = swaps()
        result = ((W.cpu_seconds(proc.pid) - start_cpu) / elapsed, (end_swaps - start_swaps) / elapsed)
        if per_output is not None:
            for name in SIZES.values():
                per_output[name] = (end_outputs.get(name, 0) - start_outputs.get(name, 0)) / elapsed
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
    parser.add_argument("--monitors", action="store_true")
    args = parser.parse_args()
    saver = args.program or os.path.join(args.build, "quillomar")
    loop = os.path.join(args.build, "bench", "wayland_clear_loop")
    counter = os.path.join(args.build, "bench", "libswap_counter.so")
    if args.hidpi:
        return hidpi(saver, counter, args)
    if args.monitors:
        return monitors(saver, counter, args)
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


def monitors(saver, counter, args):
    cases = [("primary", "1024x768"), ("all", "1024x768"), ("all", "1024x768@30Hz")]
    titles = ["stars on HEADLESS-1 only", "stars on both", "both, HEADLESS-2 at 30 Hz"]
    samples = {(quality, case): [] for quality in ("full", "light") for case in cases}
    for _ in range(args.runs):
        for quality, case in samples:
            fps = {}
            cpu, _ = run(saver, ["/s", "--quality", quality, "--monitors", case[0]], counter, args.seconds,
                         per_output=fps, mode2=case[1])
            samples[(quality, case)].append((cpu, fps))
    print("HEADLESS-1 1280 x 720 at 60 Hz, HEADLESS-2 1024 x 768; frames per second on each, CPU in % of a core")
    print("%-8s" % "" + "".join("%-30s" % t for t in titles))
    for quality in ("full", "light"):
        cells = []
        for case in cases:
            runs = samples[(quality, case)]
            fps = [statistics.median(f[name] for _, f in runs) for name in ("HEADLESS-1", "HEADLESS-2")]
            cells.append("%5.1f + %5.1f fps %5.1f %%" % (fps[0], fps[1], 100 * statistics.median(c for c, _ in runs)))
        one = statistics.median(c for c, _ in samples[(quality, cases[0])])
        two = statistics.median(c for c, _ in samples[(quality, cases[1])])
        print("%-8s" % quality + "".join("%-30s" % c for c in cells) + "CPU both / one: %.2f" % (two / one))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""On headless sway (two 60 Hz outputs, 1280 x 720 and 1024 x 768): the
saver's frame rate on the star output, its CPU time against a clear-and-present
loop paced by the same frame callbacks, and its CPU time with the star
output's workspace hidden. CPU time is the whole process's (llvmpipe has
threads of its own).
Usage: wayland_bench.py BUILD_DIR [--seconds S] [--program PATH]"""
import argparse
import os
import re
import signal
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(here, "..", "tests", "e2e"), os.path.join(here, "..", "tests", "wayland")]
import wayland_rig as W  # noqa: E402


def cpu_share(proc, seconds):
    start_cpu, start = W.cpu_seconds(proc.pid), time.monotonic()
    time.sleep(seconds)
    return (W.cpu_seconds(proc.pid) - start_cpu) / (time.monotonic() - start)


def frame_requests(log):
    with open(log) as f:
        return len(re.findall(r"-> wl_surface@\d+\.frame\(", f.read()))


def run(program, args, seconds, hidden=False, count_frames=False):
    """CPU share of PROGRAM on a fresh sway; with COUNT_FRAMES its frame
    requests per second instead (the protocol log costs time of its own)."""
    with W.Sway(program) as sway:
        sway.msg("output", "HEADLESS-2", "mode", "1024x768")
        log = os.path.join(sway.dir, "protocol.log")
        command = [sway.program] + args
        if count_frames:
            command = ["sh", "-c", 'WAYLAND_DEBUG=1 exec "$0" "$@" 2>"%s"' % log] + command
        proc = sway.popen(command)
        time.sleep(2)  # past the start-up work
        if hidden:
            sway.msg("focus", "output", "HEADLESS-1")
            sway.msg("workspace", "9")
            time.sleep(1)
        if count_frames:
            before = frame_requests(log)
            time.sleep(seconds)
            result = (frame_requests(log) - before) / seconds
        else:
            result = cpu_share(proc, seconds)
        proc.send_signal(signal.SIGTERM)
        if W.wait_exit(proc, 10) != 0:
            raise SystemExit("%s exited with %d" % (program, proc.returncode))
        return result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--program", help="the saver (default BUILD/quillomar)")
    args = parser.parse_args()
    saver = args.program or os.path.join(args.build, "quillomar")
    loop = os.path.join(args.build, "bench", "wayland_clear_loop")
    fps = run(saver, ["/s"], args.seconds, count_frames=True)
    saver_cpu = run(saver, ["/s"], args.seconds)
    loop_cpu = run(loop, [], args.seconds)
    hidden_cpu = run(saver, ["/s"], args.seconds, hidden=True)
    print("frame rate on the star output:      %.1f / s" % fps)
    print("CPU, quillomar /s:                  %.1f %% of a core" % (100 * saver_cpu))
    print("CPU, clear and present:             %.1f %% of a core" % (100 * loop_cpu))
    print("ratio:                              %.2f" % (saver_cpu / loop_cpu))
    print("CPU, star output hidden:            %.2f %% of a core" % (100 * hidden_cpu))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""CPU of the saver where OpenGL runs in software (Xvfb, llvmpipe), side by
side with XScreenSaver's glmatrix at its defaults: first each alone, full
screen on one 1280 x 720 Xvfb screen, in alternating runs; then under
XScreenSaver on two such screens, the instances of each screen added up.
Figures are CPU ticks per 5 s of the whole process (the software rasteriser
has threads of its own); 500 ticks are one whole core.
Usage: light_bench.py BUILD_DIR [--seconds S] [--runs N] [--no-hosts]"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "hosts"))
import rig  # noqa: E402
import real_hosts_test  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")
GLMATRIX = "/usr/libexec/xscreensaver/glmatrix"
TITLE = "Quillomar Screensaver"


def cpu_ticks(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def per_5_seconds(pids, seconds):
    """CPU ticks per 5 s of PIDS together, measured over SECONDS."""
    start_ticks, start = sum(cpu_ticks(p) for p in pids), time.monotonic()
    time.sleep(seconds)
    used = sum(cpu_ticks(p) for p in pids) - start_ticks
    return used * 5.0 * 100 / TICKS / (time.monotonic() - start)


def alone(display, command, seconds):
    proc = subprocess.Popen(command, env=display.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    display.procs.append(proc)
    if command[0] != GLMATRIX:
        display.wait_window(TITLE, 30)
    time.sleep(1.5)  # past the start-up work
    ticks = per_5_seconds([proc.pid], seconds)
    proc.send_signal(signal.SIGTERM)
    code = display.wait_exit(proc, 20)
    if command[0] != GLMATRIX and code != 0:
        raise SystemExit("%s exited with %d" % (" ".join(command), code))
    return ticks


def under_xscreensaver(command, name, seconds):
    """Ticks per 5 s of the instances XScreenSaver starts on two screens."""
    uid, gid = real_hosts_test.unprivileged_user()
    work = tempfile.mkdtemp(prefix="quillomar-bench-")
    try:
        program = command[0]
        if program != GLMATRIX:
            program = shutil.copy(program, work)
        home = os.path.join(work, "home")
        os.makedirs(home)
        for path in (work, home, program):
            if path.startswith(work):
                os.chown(path, uid, gid)
                os.chmod(path, 0o755)
        with open(os.path.join(home, ".xscreensaver"), "w") as f:
            f.write("mode: one\nselected: 0\nsplash: False\nfade: False\nunfade: False\nlock: False\n"
                    "programs: %s\n" % " ".join([program] + command[1:]))
        os.chown(os.path.join(home, ".xscreensaver"), uid, gid)
        with rig.Display(rig.Target("native", program), 1280, 720, screens=2) as display:
            env = {"PATH": "/usr/local/bin:/usr/bin:/bin", "HOME": home, "DISPLAY": display.name}

            def as_user(cmd):
                return subprocess.Popen(cmd, env=env, user=uid, group=gid, extra_groups=[], cwd=work,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

            daemon = as_user(["xscreensaver", "-no-splash"])
            display.procs.append(daemon)
            try:
                rig.wait_until(lambda: as_user(["xscreensaver-command", "-activate"]).wait(timeout=20) == 0,
                               20, 0.3, "the daemon to take -activate")
                # XScreenSaver may restart an instance early on; then measure the new pair.
                for _ in range(3):
                    pids = rig.wait_until(lambda: (lambda p: p if len(p) == 2 else None)(instances(name, uid)),
                                          20, 0.2, "one %s per screen" % name)
                    time.sleep(2.0)
                    try:
                        return per_5_seconds(pids, seconds)
                    except FileNotFoundError:
                        print("  (an instance of %s was restarted; measuring again)" % name)
                raise SystemExit("XScreenSaver kept restarting " + name)
            finally:
                as_user(["xscreensaver-command", "-exit"]).wait(timeout=20)
                for pid in instances(name, uid):
                    os.kill(pid, signal.SIGKILL)
    finally:
        shutil.rmtree(work, True)


def instances(name, uid):
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open("/proc/%s/comm" % entry) as f:
                    comm = f.read().strip()
                if comm == name[:15] and os.stat("/proc/" + entry).st_uid == uid:
                    found.append(int(entry))
            except OSError:
                pass
    return found


def report(title, samples):
    print(title)
    for name, values in samples.items():
        print("  %-34s median %6.1f ticks / 5 s (%s)" % (
            name + ":", statistics.median(values), ", ".join("%.0f" % v for v in values)))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--seconds", type=float, default=5.0)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--no-hosts", action="store_true", help="leave out the XScreenSaver figures")
    args = parser.parse_args()
    if not os.path.exists(GLMATRIX):
        raise SystemExit("glmatrix is not installed (xscreensaver-gl)")
    saver = os.path.join(args.build, "quillomar")
    runs = {"quillomar /s": [saver, "/s"],
            "quillomar /s --quality full": [saver, "/s", "--quality", "full"],
            "glmatrix": [GLMATRIX, "--root"]}
    samples = {name: [] for name in runs}
    # One display; the programs take turns so the machine's load reaches each alike.
    with rig.Display(rig.Target("native", saver)) as display:
        for _ in range(args.runs):
            for name, command in runs.items():
                samples[name].append(alone(display, command, args.seconds))
    report("Alone, Xvfb 1280 x 720:", samples)
    ratio = statistics.median(samples["quillomar /s"]) / statistics.median(samples["glmatrix"])
    print("  quillomar /s against glmatrix: %.2fx (goal at most 1.0x)" % ratio)
    if args.no_hosts:
        return
    hosted = {"quillomar --root, two instances": [], "glmatrix --root, two instances": []}
    for _ in range(args.runs):
        hosted["quillomar --root, two instances"].append(under_xscreensaver([saver, "--root"], "quillomar",
                                                                            args.seconds))
        hosted["glmatrix --root, two instances"].append(under_xscreensaver([GLMATRIX, "--root"], "glmatrix",
                                                                           args.seconds))
    report("Under XScreenSaver, two Xvfb screens of 1280 x 720:", hosted)
    print("  quillomar, both instances: %.2f of a core (goal at most 0.5)" % (
        statistics.median(hosted["quillomar --root, two instances"]) / 500))


if __name__ == "__main__":
    main()

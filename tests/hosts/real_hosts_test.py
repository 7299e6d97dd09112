"""The real hosts on a private Xvfb: XScreenSaver on two X screens, and
xsecurelock. Both run as an unprivileged user (XScreenSaver refuses root)
with a HOME of their own; the program runs through a small wrapper that
logs its process id and exit code."""
import os
import pwd
import re
import shutil
import signal
import subprocess
import tempfile
import unittest

import rig

USER = "quillomar-test"
SAVER_TITLE = "Quillomar Screensaver"
WRAPPER = """#!/bin/sh
"{program}" "$@" 2>>"{dir}/saver.err" &
pid=$!
echo "start $pid" >> "{dir}/saver.log"
trap 'kill -TERM $pid' TERM INT HUP
while :; do wait $pid; code=$?; kill -0 $pid 2>/dev/null || break; done
echo "exit $pid $code" >> "{dir}/saver.log"
"""


def unprivileged_user():
    """(uid, gid) to run the hosts as; a system user is made when running as root."""
    if os.geteuid() != 0:
        return os.getuid(), os.getgid()
    try:
        pwd.getpwnam(USER)
    except KeyError:
        r = subprocess.run(["useradd", "--system", "--no-create-home", "--shell", "/usr/sbin/nologin", USER],
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=30)
        if r.returncode != 0:
            raise unittest.SkipTest("cannot make the unprivileged user: " + r.stderr.decode())
    entry = pwd.getpwnam(USER)
    return entry.pw_uid, entry.pw_gid


class RealHost(unittest.TestCase):
    SCREENS = 1
    TOOLS = ()

    def setUp(self):
        for tool in self.TOOLS:
            if not shutil.which(tool):
                self.skipTest(tool + " is not installed")
        self.uid, self.gid = unprivileged_user()
        self.dir = tempfile.mkdtemp(prefix="quillomar-hosts-")
        self.addCleanup(shutil.rmtree, self.dir, True)
        # A copy the user can reach wherever the build tree lives.
        program = shutil.copy(rig.TARGET.program, self.dir)
        self.wrapper = os.path.join(self.dir, "run-quillomar")
        with open(self.wrapper, "w") as f:
            f.write(WRAPPER.format(program=program, dir=self.dir))
        os.makedirs(os.path.join(self.dir, "home"))
        for name in (self.dir, self.wrapper, os.path.join(self.dir, "home")):
            os.chown(name, self.uid, self.gid)
            os.chmod(name, 0o755)
        self.display = rig.Display(rig.TARGET, 640, 480, screens=self.SCREENS).__enter__()
        self.addCleanup(self.display.__exit__, None, None, None)
        self.addCleanup(self.end_savers)

    def env(self, extra=None):
        env = {"PATH": "/usr/local/bin:/usr/bin:/bin", "HOME": os.path.join(self.dir, "home"),
               "DISPLAY": self.display.name}
        env.update(extra or {})
        return env

    def as_user(self, cmd, env=None, **kwargs):
        return subprocess.Popen(cmd, env=self.env(env), user=self.uid, group=self.gid, extra_groups=[],
                                cwd=self.dir, **kwargs)

    def saver_log(self, kind):
        path = os.path.join(self.dir, "saver.log")
        if not os.path.exists(path):
            return []
        with open(path) as f:
            return [line.split()[1:] for line in f if line.startswith(kind + " ")]

    def end_savers(self):
        for pid, in self.saver_log("start"):
            try:
                os.kill(int(pid), signal.SIGKILL)
            except ProcessLookupError:
                pass

    def assert_stars_on_every_screen(self):
        for screen in range(self.SCREENS):
            rig.wait_until(lambda: self.display.screenshot(screen=screen).count(rig.lit) > 0, 20, 0.3,
                           "stars on screen %d" % screen)

    def assert_no_top_level_window_of_ours(self):
        for screen in range(self.SCREENS):
            tree = self.display.run(["xwininfo", "-display", "%s.%d" % (self.display.name, screen), "-root",
                                     "-children"])
            self.assertNotIn(SAVER_TITLE, tree)


class XScreenSaverOnTwoScreens(RealHost):
    SCREENS = 2
    TOOLS = ("xscreensaver", "xscreensaver-command")

    def command(self, *args):
        p = self.as_user(["xscreensaver-command"] + list(args), stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
        return p.wait(timeout=20) == 0

    def test_activate_draws_on_both_screens_and_deactivate_ends_with_0(self):
        with open(os.path.join(self.dir, "home", ".xscreensaver"), "w") as f:
            f.write("mode: one\nselected: 0\nsplash: False\nfade: False\nunfade: False\nlock: False\n"
                    "verbose: True\nprograms: %s --root \\n\n" % self.wrapper)
        log = open(os.path.join(self.dir, "xscreensaver.log"), "wb")
        self.addCleanup(log.close)
        daemon = self.as_user(["xscreensaver", "-no-splash", "-verbose"], stdout=log, stderr=subprocess.STDOUT)
        self.display.procs.append(daemon)
        self.addCleanup(lambda: daemon.poll() is None and self.command("-exit"))

        rig.wait_until(lambda: self.command("-activate"), 20, 0.3, "the daemon to take -activate")
        rig.wait_until(lambda: len(self.saver_log("start")) == 2, 20, 0.2, "one saver per screen")
        self.assert_stars_on_every_screen()
        self.assert_no_top_level_window_of_ours()
        with open(log.name) as f:
            launches = re.findall(r"^xscreensaver-gfx: .* (\d): forked \".*run-quillomar", f.read(), re.M)
        self.assertEqual(sorted(launches), ["0", "1"], "one launch per screen, no relaunch loop")

        self.assertTrue(self.command("-deactivate"))
        exits = rig.wait_until(lambda: len(self.saver_log("exit")) == 2 and self.saver_log("exit"), 20, 0.2,
                               "both savers to end")
        self.assertEqual([code for _, code in exits], ["0", "0"])
        with open(os.path.join(self.dir, "saver.err")) as f:
            self.assertEqual(f.read(), "")


class XSecureLock(RealHost):
    TOOLS = ("xsecurelock",)

    def test_saver_draws_in_its_window_and_sigterm_ends_it_with_0(self):
        locker = self.as_user(["xsecurelock"], env={"XSECURELOCK_SAVER": self.wrapper},
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.display.procs.append(locker)
        try:
            pid = int(rig.wait_until(lambda: self.saver_log("start"), 20, 0.2, "the saver to start")[0][0])
        except AssertionError:
            if locker.poll() is not None:
                self.skipTest("xsecurelock does not run headless here: " + locker.stderr.read().decode())
            raise
        self.assert_stars_on_every_screen()
        self.assert_no_top_level_window_of_ours()
        os.kill(pid, signal.SIGTERM)
        ended = rig.wait_until(lambda: [e for e in self.saver_log("exit") if e[0] == str(pid)], 10, 0.1,
                               "the saver to end")
        self.assertEqual(ended[0][1], "0")
        locker.terminate()
        self.display.wait_exit(locker, 10)


if __name__ == "__main__":
    rig.main(rig.parse_target())

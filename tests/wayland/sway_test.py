"""The full-screen run on headless sway: every output covered (a hot-plugged
one too), stars on the primary only and moving when it is unplugged (on a
sway nested in the first), or a field of their own on every output;
no idle inhibitor; a key, a button, the
compositor's close, SIGTERM and the compositor's death end it with 0; pointer
motion and the wheel do not."""
import json
import os
import shutil
import signal
import subprocess
import time
import unittest

import rig
import wayland_rig as W

POINTER = os.environ.get("QUILLOMAR_VIRTUAL_POINTER", "virtual_pointer")


class SwayRun(unittest.TestCase):
    def setUp(self):
        self.sway = W.Sway(rig.TARGET.program, outputs=2).__enter__()
        self.addCleanup(self.sway.__exit__)
        self.sway.msg("output", "HEADLESS-2", "mode", "1024x768")

    def start(self):
        saver = self.sway.saver("/s")
        rig.wait_until(lambda: len(self.sway.views()) == 2 or saver.poll() is not None, 20, 0.1,
                       "a view on each output")
        self.assertIsNone(saver.poll(), saver.stderr.read().decode() if saver.poll() is not None else "")
        return saver

    def assert_ends_with_0(self, saver, timeout=5):
        self.assertEqual(W.wait_exit(saver, timeout), 0)
        self.assertEqual(saver.stderr.read().decode(), "")

    def test_every_output_covered_stars_on_primary_and_only_buttons_end_it(self):
        saver = self.start()
        self.sway.msg("create_output")
        rig.wait_until(lambda: len(self.sway.views()) == 3, 10, 0.1, "the new output covered")
        views = self.sway.views()
        self.assertEqual(sorted(o for o, _ in views), ["HEADLESS-1", "HEADLESS-2", "HEADLESS-3"])
        for output, view in views:
            self.assertEqual(view["fullscreen_mode"], 1, output)
            self.assertFalse(view["inhibit_idle"], output)
        rig.wait_until(lambda: W.stars_on_black(self.sway.screenshot("HEADLESS-1")), 10, 0.3, "stars")
        for output, size in (("HEADLESS-2", (1024, 768)), ("HEADLESS-3", None)):
            shot = self.sway.screenshot(output)
            self.assertEqual(shot.count(rig.lit), 0, output + " is black")
            if size:
                self.assertEqual((shot.width, shot.height), size)

        pointer = shutil.copy(POINTER, self.sway.dir)
        self.sway.run([pointer, "sleep", "500", "move", "40", "30", "sleep", "200", "move", "300", "200", "wheel",
                       "sleep", "500"])
        self.assertIsNone(saver.poll(), "motion and the wheel must not end the run")
        self.sway.run([pointer, "sleep", "500", "move", "5", "5", "button"])
        self.assert_ends_with_0(saver)

    def test_stars_of_their_own_on_every_output_a_hot_plugged_one_too(self):
        saver, shots = self.sway.saver("/s", "--monitors", "all"), {}

        def stars_on(*outputs):
            shots.update((output, self.sway.screenshot(output)) for output in outputs)
            return all(W.stars_on_black(shots[output]) for output in outputs)
        rig.wait_until(lambda: stars_on("HEADLESS-1", "HEADLESS-2"), 20, 0.3, "stars on both outputs")
        first, second = shots["HEADLESS-1"], shots["HEADLESS-2"]
        self.assertEqual((second.width, second.height), (1024, 768))
        crop = lambda shot: b"".join(shot.rgb[y * shot.width * 3:(y * shot.width + 1024) * 3] for y in range(720))
        self.assertNotEqual(crop(first), crop(second), "one picture on both")
        self.sway.msg("create_output")
        rig.wait_until(lambda: stars_on("HEADLESS-3"), 15, 0.3, "stars on the new output")
        self.sway.run(["wtype", "-s", "500", "a"])
        self.assert_ends_with_0(saver)

    def test_key_close_sigterm_stop_and_lost_compositor_end_it_with_0(self):
        for name, end in (("key", lambda s: self.sway.run(["wtype", "-s", "500", "a"])),
                          ("close", lambda s: self.sway.msg("kill")),
                          ("SIGTERM", lambda s: s.send_signal(signal.SIGTERM)),
                          # --stop returns once the saver has gone.
                          ("--stop", lambda s: (self.sway.run([self.sway.program, "--stop"]),
                                                self.assertIsNotNone(s.poll()))),
                          ("compositor killed", lambda s: self.sway.server.kill())):
            with self.subTest(name):
                saver = self.start()
                time.sleep(0.5)
                end(saver)
                self.assert_ends_with_0(saver)

    def test_letting_go_of_a_key_held_from_before_the_start_does_not_end_it(self):
        held = self.sway.popen(["wtype", "-P", "Return", "-s", "1500", "-p", "Return"])
        saver = self.start()
        self.assertEqual(W.wait_exit(held, 10), 0)
        time.sleep(0.5)
        self.assertIsNone(saver.poll(), "the release ended the run")
        self.sway.run(["wtype", "-s", "500", "a"])
        self.assert_ends_with_0(saver)

    def test_a_hidden_star_output_costs_nothing_and_shows_stars_again(self):
        saver = self.start()
        rig.wait_until(lambda: W.stars_on_black(self.sway.screenshot("HEADLESS-1")), 10, 0.3, "stars")
        self.sway.msg("focus", "output", "HEADLESS-1")
        self.sway.msg("workspace", "elsewhere")
        # Hidden for good, it gets no frames, as under a locker, and ends: shown
        # again within that time, it goes on.
        time.sleep(0.3)
        before = W.cpu_seconds(saver.pid)
        time.sleep(1.8)
        self.assertLess(W.cpu_seconds(saver.pid) - before, 0.03)
        self.sway.msg("workspace", "back_and_forth")
        rig.wait_until(lambda: W.stars_on_black(self.sway.screenshot("HEADLESS-1")), 10, 0.3, "stars again")
        saver.send_signal(signal.SIGTERM)
        self.assert_ends_with_0(saver)

    def test_frames_still_come_after_failed_swaps(self):
        failing = shutil.copy(os.environ["QUILLOMAR_FAILING_SWAP"], self.sway.dir)
        saver = self.sway.popen([self.sway.program, "/s"], env={"LD_PRELOAD": failing})
        rig.wait_until(lambda: W.stars_on_black(self.sway.screenshot("HEADLESS-1")), 20, 0.3, "stars")
        time.sleep(2.0)  # well past the failed swaps, at the light picture's 30 frames a second
        first = self.sway.screenshot("HEADLESS-1").rgb
        rig.wait_until(lambda: self.sway.screenshot("HEADLESS-1").rgb != first, 5, 0.3, "the stars moving")
        saver.send_signal(signal.SIGTERM)
        self.assert_ends_with_0(saver)

    def test_a_gpu_reset_brings_the_stars_back_and_a_second_ends_the_run(self):
        self.sway.msg("output", "*", "bg", "#ffffff", "solid_color")
        self.sway.program = shutil.copy(os.environ["QUILLOMAR_GPU_RESET"], self.sway.dir)
        saver = self.start()
        first = {view["id"] for _, view in self.sway.views()}
        rig.wait_until(lambda: W.stars_on_black(self.sway.screenshot("HEADLESS-1")), 10, 0.1, "stars")

        def new_windows_without_desktop():
            for output in ("HEADLESS-1", "HEADLESS-2"):
                self.assertEqual(self.sway.screenshot(output).count(lambda p: p == (255, 255, 255)), 0, output)
            views = self.sway.views()
            return views if first.isdisjoint(view["id"] for _, view in views) else None
        views = rig.wait_until(new_windows_without_desktop, 20, 0.0, "the windows of the new context")
        self.assertEqual({view["pid"] for _, view in views}, {saver.pid}, "the same process")
        rig.wait_until(lambda: W.stars_on_black(self.sway.screenshot("HEADLESS-1")), 10, 0.3, "stars again")
        self.assertEqual(W.wait_exit(saver, 30), 0)
        self.assertIn("The GPU was reset again", saver.stderr.read().decode())

    def test_one_saver_per_session_however_often_it_is_started(self):
        savers = lambda: {view["pid"] for _, view in self.sway.views()}
        pointer = shutil.copy(POINTER, self.sway.dir)
        self.sway.popen(["swayidle", "-w", "timeout", "1", self.sway.program + " --root &"])
        rig.wait_until(lambda: len(self.sway.views()) == 2, 20, 0.1, "the saver")
        first = savers()
        self.sway.run([pointer, "move", "40", "30", "sleep", "200"])  # the idle timer starts again
        time.sleep(2.5)
        by_hand = self.sway.saver("/s")
        self.assertEqual(W.wait_exit(by_hand, 10), 0)
        self.assertEqual(savers(), first)
        self.assertEqual(len(self.sway.views()), 2)

    def test_drawn_at_the_outputs_own_pixels_at_every_scale(self):
        self.sway.msg("output", "HEADLESS-1", "mode", "2560x1440", "scale", "2")
        saver, log = self.sway.saver_logging_protocol("/s")
        rig.wait_until(lambda: W.stars_on_black(self.sway.screenshot("HEADLESS-1")), 20, 0.3, "stars")
        shot = self.sway.screenshot("HEADLESS-1")
        # Drawn at 1280 x 720 and doubled, every lit 2 x 2 block would be uniform.
        rgb, w = shot.rgb, shot.width * 3
        blocks = [(rgb[i:i + 6], rgb[i + w:i + w + 6]) for y in range(0, shot.height, 2)
                  for i in range(y * w, y * w + w, 6) if any(rgb[i:i + 6]) or any(rgb[i + w:i + w + 6])]
        uniform = sum(1 for a, b in blocks if a == b and a[:3] == a[3:])
        self.assertLess(uniform, len(blocks) // 2)
        self.assertEqual(W.buffer_sizes(log)[0], (2560, 1440), "the first buffer, before any frame")
        # sway 1.7 has no fractional-scale protocol: at 1.5, the mode shown at the logical size.
        self.sway.msg("output", "HEADLESS-1", "scale", "1.5")
        rig.wait_until(lambda: "set_destination(1706, 960)" in open(log, errors="replace").read(), 10, 0.2,
                       "the new logical size")
        rig.wait_until(lambda: W.stars_on_black(self.sway.screenshot("HEADLESS-1")), 10, 0.3, "stars")
        self.assertEqual(set(W.buffer_sizes(log)), {(2560, 1440)})
        saver.send_signal(signal.SIGTERM)
        self.assertEqual(W.wait_exit(saver, 10), 0)

    def test_stars_move_when_their_output_is_unplugged(self):
        inner = W.NestedSway(rig.TARGET.program, self.sway).__enter__()
        self.addCleanup(inner.__exit__)
        saver = inner.saver("/s")
        rig.wait_until(lambda: W.stars_on_black(inner.screenshot("WL-1")), 20, 0.3, "stars on WL-1")
        rig.wait_until(lambda: inner.screenshot("WL-2").count(rig.lit) == 0, 10, 0.3, "WL-2 black")
        self.sway.msg('[title="wlroots - WL-1"]', "kill")
        # The black window stays until the stars' first frame: WL-2 never lacks one of ours.
        self.assertNotIn(0, [sum(output == "WL-2" for output, _ in inner.views()) for _ in range(40)])
        rig.wait_until(lambda: W.stars_on_black(inner.screenshot("WL-2")), 10, 0.3, "the stars on WL-2")
        saver.send_signal(signal.SIGTERM)
        self.assert_ends_with_0(saver)

        # Outputs come and go, the stars' own among them, one toplevel each
        # once the stars have settled, with the stars on one or on every output.
        def outputs():
            return sorted((o["name"] for o in json.loads(inner.msg("-t", "get_outputs"))),
                          key=lambda name: int(name.split("-")[1]))

        def settled(names):
            return sorted(output for output, _ in inner.views()) == sorted(names)
        for args in ((), ("--monitors", "all")):
            with self.subTest(args):
                inner.msg("create_output")
                saver = inner.saver("/s", *args)
                for _ in range(10):
                    inner.msg("create_output")
                    names = outputs()
                    rig.wait_until(lambda: settled(names), 10, 0.1, "the new output covered")
                    rig.wait_until(lambda: "wlroots - " + names[0] in (v["name"] for _, v in self.sway.views()), 10,
                                   0.1, "the output's window")
                    self.sway.msg('[title="wlroots - %s"]' % names[0], "kill")
                    rig.wait_until(lambda: settled(names[1:]), 10, 0.1, "the unplugged output's window gone")
                names = outputs()
                shots = lambda: [W.stars_on_black(inner.screenshot(name)) for name in names]
                rig.wait_until(lambda: shots().count(True) == (len(names) if args else 1), 10, 0.3, "the stars")
                saver.send_signal(signal.SIGTERM)
                self.assert_ends_with_0(saver)

    def test_make_current_failing_for_good_ends_the_run_and_twice_does_not(self):
        failing = shutil.copy(os.environ["QUILLOMAR_FAILING_SWAP"], self.sway.dir)
        for mode in ("always", "twice"):
            with self.subTest(mode):
                began = time.monotonic()
                saver = self.sway.popen([self.sway.program, "/s", "--monitors", "all"],
                                        env={"LD_PRELOAD": failing, "QUILLOMAR_FAIL_MAKE_CURRENT": mode})
                if mode == "always":
                    self.assertEqual(W.wait_exit(saver, 15), 0)
                    self.assertLess(time.monotonic() - began, 10)
                    continue
                rig.wait_until(lambda: W.stars_on_black(self.sway.screenshot("HEADLESS-2")), 20, 0.3, "stars")
                time.sleep(1.0)
                first = self.sway.screenshot("HEADLESS-2").rgb
                rig.wait_until(lambda: self.sway.screenshot("HEADLESS-2").rgb != first, 5, 0.3, "the stars moving")
                self.sway.run(["wtype", "-s", "500", "a"])
                self.assert_ends_with_0(saver)

    def test_a_locker_over_the_saver_or_before_it_ends_it_with_0(self):
        # Stars that get no frame for 3 s end the run; a second is the margin.
        saver = self.start()
        rig.wait_until(lambda: W.stars_on_black(self.sway.screenshot("HEADLESS-1")), 10, 0.3, "stars")
        lock = self.sway.popen(["swaylock", "-c", "000000"])
        self.assert_ends_with_0(saver, 3 + 1.5)
        saver = self.sway.saver("/s")
        self.assert_ends_with_0(saver, 3 + 6)
        lock.kill()
        lock.wait(10)
        time.sleep(0.5)
        self.assertEqual(self.sway.views(), [])
        self.assertNotEqual(subprocess.run(["pgrep", "-f", self.sway.program]).returncode, 0, "a saver left")

    def test_bad_starts_end_with_0(self):
        for name, args, env, message in (
                ("no compositor", ["/s"], {"WAYLAND_DISPLAY": "wayland-none"}, "Debug: Failed to open window"),
                ("no EGL", ["/s"], {"__EGL_VENDOR_LIBRARY_FILENAMES": "/none.json"}, "Debug: Failed to open window"),
                ("--x11 without X", ["--x11", "/s"], {}, "Debug: Failed to open window"),
                ("About window without X", ["/c"], {}, "needs an X display")):
            with self.subTest(name):
                saver = self.sway.popen([self.sway.program] + args, env=env)
                self.assertEqual(W.wait_exit(saver, 10), 0)
                self.assertIn(message, saver.stderr.read().decode())


if __name__ == "__main__":
    W.require("sway", "swaymsg", "grim", "wtype")
    rig.main(rig.parse_target())

"""The preview across processes: a stand-in host window (tools/preview_host_*)
starts the saver with "/p <handle>" and resizes, hides or destroys itself on
command. Natively the saver's pixels are checked in the host; under Wine,
where no process can make a GL context on another's window, the protocol and
the failure path are."""
import os
import queue
import re
import subprocess
import threading
import time
import unittest

import rig

HOST_TITLE = "Quillomar Preview Host"
HOST_COLOUR = (0x30, 0x50, 0x70)
HOST_PROGRAM = os.environ.get("QUILLOMAR_PREVIEW_HOST", "")


class Host:
    """A running preview host, driven through its standard input."""

    def __init__(self, display, start=True, env=None):
        command = [HOST_PROGRAM] + ([rig.TARGET.program] if start else ["--no-start"])
        if rig.TARGET.wine:
            command = ["wine"] + command
        self.display = display
        self.proc = subprocess.Popen(command, env=display.env(env), stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        display.procs.append(self.proc)
        self.lines = queue.Queue()
        self.stderr = []
        self.readers = [threading.Thread(target=self._read, daemon=True),
                        threading.Thread(target=lambda: self.stderr.extend(self.proc.stderr), daemon=True)]
        for reader in self.readers:
            reader.start()
        self.handle = int(self.expect(r"host (-?\d+)", 60).group(1))
        self.saver_exit = None

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put(line.decode(errors="replace").strip())

    def expect(self, pattern, timeout=20):
        """Waits for a line matching PATTERN; notes the saver's end on the way."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                line = self.lines.get(timeout=max(0.05, deadline - time.monotonic()))
            except queue.Empty:
                raise AssertionError("host said nothing matching %r in %.1f s" % (pattern, timeout))
            exit_match = re.fullmatch(r"exit (\d+)", line)
            if exit_match:
                self.saver_exit = int(exit_match.group(1))
            match = re.fullmatch(pattern, line)
            if match:
                return match

    def command(self, text):
        self.proc.stdin.write((text + "\n").encode())
        self.proc.stdin.flush()
        if text != "children":
            self.expect("ok")

    def children(self):
        self.command("children")
        result = []
        while True:
            line = self.expect(r"(child .*|end)").group(1)
            if line == "end":
                return result
            _, window, x, y, w, h, state = line.split()
            result.append((int(window), int(x), int(y), int(w), int(h), state))

    def wait_saver_exit(self, timeout=20):
        if self.saver_exit is None:
            self.expect(r"exit \d+", timeout)
        return self.saver_exit

    def quit(self):
        if self.proc.poll() is None:
            try:
                self.proc.stdin.write(b"quit\n")
                self.proc.stdin.flush()
            except BrokenPipeError:
                pass
            self.proc.wait(timeout=20)
        for reader in self.readers:
            reader.join(5)
        for pipe in (self.proc.stdin, self.proc.stdout, self.proc.stderr):
            pipe.close()


def message_boxes_until_exit(display, proc_exited, timeout=60):
    """Dismisses Wine message boxes one by one, oldest first, until
    PROC_EXITED() answers true; returns their captions in order."""
    captions = []
    deadline = time.monotonic() + timeout
    while not proc_exited():
        if time.monotonic() > deadline:
            raise AssertionError("still running after %d s; boxes so far %r" % (timeout, captions))
        for caption in ("Error", "Debug"):
            boxes = display.visible_windows(caption)
            if boxes:
                captions.append(caption)
                display.key("Return")
                rig.wait_until(lambda: boxes[0] not in display.windows(caption), 20, 0.1, "the box to close")
                break
        else:
            time.sleep(0.1)
    return captions


def box_texts(stderr_lines):
    text = b"".join(stderr_lines).decode(errors="replace")
    return [t.strip() for t in re.findall(r'MSGBOX_OnInit L"([^"]*)"', text)]


@unittest.skipIf(not HOST_PROGRAM, "QUILLOMAR_PREVIEW_HOST is not set")
class NativePreview(unittest.TestCase):
    """The saver draws into the host of another process."""

    def setUp(self):
        if rig.TARGET.wine:
            self.skipTest("Wine keeps another process's GL window off the screen")
        self.display = rig.Display(rig.TARGET).__enter__()
        self.addCleanup(self.display.__exit__, None, None, None)

    def start_host(self):
        host = Host(self.display)
        self.addCleanup(host.quit)
        rig.wait_until(lambda: [c for c in host.children() if c[5] == "viewable"], 30, 0.2, "the saver's window")
        return host

    def host_pixels(self, host):
        x, y, w, h = self.display.geometry(host.handle)
        return self.display.screenshot().region(x, y, x + w, y + h)

    def root_window(self):
        return int(re.search(r"Window id: (0x[0-9a-f]+)", self.display.run(["xwininfo", "-root"])).group(1), 16)

    def top_level_windows(self):
        out = self.display.run(["xdotool", "search", "--maxdepth", "1", "--onlyvisible", "--name", ".*"], check=False)
        return [int(w) for w in out.split() if int(w) != self.root_window()]

    def test_stars_appear_in_the_host_and_no_other_window(self):
        host = self.start_host()
        self.assertEqual([c[1:] for c in host.children()], [(0, 0, 152, 112, "viewable")])
        self.assertEqual(self.top_level_windows(), [host.handle])

        def lit():
            pixels = self.host_pixels(host)
            # The saver covers the whole host; a star is anything bright.
            self.assertNotIn(HOST_COLOUR, pixels)
            return sum(1 for p in pixels if sum(p) > 60)
        rig.wait_until(lit, 8, 0.2, "stars in the host")
        self.assertIsNone(host.saver_exit)

    def test_saver_follows_the_host_size(self):
        host = self.start_host()
        host.command("resize 300 200")
        rig.wait_until(lambda: [c[1:] for c in host.children()] == [(0, 0, 300, 200, "viewable")], 10, 0.2,
                       "the saver's window at 300 x 200")
        rig.wait_until(lambda: HOST_COLOUR not in self.host_pixels(host), 5, 0.2, "the saver to cover 300 x 200")
        host.command("resize 100 60")
        rig.wait_until(lambda: [c[1:] for c in host.children()] == [(0, 0, 100, 60, "viewable")], 10, 0.2,
                       "the saver's window at 100 x 60")

    def test_destroyed_host_ends_the_saver_with_code_0(self):
        host = self.start_host()
        host.command("destroy")
        self.assertEqual(host.wait_saver_exit(10), 0)

    def test_hidden_host_ends_the_saver_and_gets_its_contents_back(self):
        host = self.start_host()
        host.command("hide")
        self.assertEqual(host.wait_saver_exit(10), 0)
        host.command("show")
        self.assertEqual(host.children(), [])
        rig.wait_until(lambda: set(self.host_pixels(host)) == {HOST_COLOUR}, 5, 0.2, "the host's own colour")

    def test_click_into_the_preview_ends_it_with_code_0(self):
        host = self.start_host()
        x, y, w, h = self.display.geometry(host.handle)
        self.display.mousemove(x + w // 2, y + h // 2)
        time.sleep(0.5)
        self.assertIsNone(host.saver_exit, "moving the mouse ended the preview")
        self.display.click(1)
        self.assertEqual(host.wait_saver_exit(10), 0)

    def test_second_preview_ends_at_once_and_draws_nothing(self):
        host = self.start_host()
        second = self.display.start(["/p", str(host.handle)])
        self.assertEqual(self.display.wait_exit(second, 10), 0)
        second.stderr.close()
        self.assertEqual(len(host.children()), 1)
        self.assertIsNone(host.saver_exit)

    def test_handles_that_name_no_window_fail_in_order(self):
        gone = Host(self.display, start=False)
        self.addCleanup(gone.quit)
        gone.command("destroy")
        for number in ["12345", "0", "-7", "99999999999", "abc", str(gone.handle), str(self.root_window())]:
            r = subprocess.run([rig.TARGET.program, "/p", number], env=self.display.env(), stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE, timeout=30)
            self.assertEqual(r.returncode, 0, number)
            lines = r.stderr.decode().splitlines()
            self.assertGreaterEqual(len(lines), 2, (number, lines))
            self.assertTrue(lines[-2].startswith("Error: X11: "), (number, lines))
            self.assertEqual(lines[-1], "Debug: Failed to open window", number)
        self.assertEqual(self.top_level_windows(), [])


@unittest.skipIf(not HOST_PROGRAM, "QUILLOMAR_PREVIEW_HOST is not set")
class WinePreview(unittest.TestCase):
    """Under Wine: the host's handle reaches the saver, which fails in order."""

    def setUp(self):
        if not rig.TARGET.wine:
            self.skipTest("the native preview draws; see NativePreview")
        self.display = rig.Display(rig.TARGET).__enter__()
        self.addCleanup(self.display.__exit__, None, None, None)

    def test_saver_started_by_the_host_fails_in_order_and_a_second_one_ends_at_once(self):
        host = Host(self.display, env={"WINEDEBUG": "-all,+msgbox"})
        self.addCleanup(host.quit)
        box = self.display.wait_window("Error", 30)

        # The first preview is alive (its box is open): a second one ends at
        # once, without a box of its own.
        second = self.display.start(["/p", str(host.handle)])
        self.assertEqual(self.display.wait_exit(second, 20), 0)
        second.stderr.close()
        self.assertEqual(self.display.visible_windows("Error"), [box])

        captions = message_boxes_until_exit(self.display, lambda: self._saver_ended(host))
        self.assertEqual(host.wait_saver_exit(20), 0)
        texts = box_texts(host.stderr)
        self.assertEqual(captions, ["Error", "Debug"], texts)
        self.assertTrue(texts[0].startswith("WGL: "), texts)
        self.assertEqual(texts[-1], "Failed to open window")

    @staticmethod
    def _saver_ended(host):
        try:
            host.expect(r"exit \d+", 0.05)
        except AssertionError:
            pass
        return host.saver_exit is not None

    def test_handles_that_name_no_window_fail_in_order(self):
        gone = Host(self.display, start=False)
        self.addCleanup(gone.quit)
        gone.command("destroy")
        for number in ["12345", "0", "-7", str(gone.handle)]:
            proc = self.display.start(["/p", number], env={"WINEDEBUG": "-all,+msgbox"})
            captions = message_boxes_until_exit(self.display, lambda: proc.poll() is not None)
            self.assertEqual(self.display.wait_exit(proc, 20), 0, number)
            texts = box_texts([proc.stderr.read()])
            proc.stderr.close()
            self.assertEqual(list(zip(captions, texts)),
                             [("Error", "WGL: Failed to retrieve DC for window"),
                              ("Debug", "Failed to open window")], number)


if __name__ == "__main__":
    rig.main(rig.parse_target())

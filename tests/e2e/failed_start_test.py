"""A run whose windowing library cannot start: the messages come in order
("Failed to initialize GLFW", the library's errors, "Failed to open window")
and the process still exits with 0. The program under test is built with
glfwInit made to fail."""
import re
import subprocess
import unittest

import rig


class FailedStart(unittest.TestCase):
    def test_messages_in_order_then_exit_code_0(self):
        with rig.Display(rig.TARGET) as display:
            if rig.TARGET.wine:
                proc = display.start(["/s"], env={"WINEDEBUG": "-all,+msgbox"})
                captions = []
                while proc.poll() is None and len(captions) < 40:
                    try:
                        box = rig.wait_until(lambda: proc.poll() is not None or
                                             (display.visible_windows("Debug") and "Debug") or
                                             (display.visible_windows("Error") and "Error"), 20, 0.1,
                                             "a message box")
                    except AssertionError:
                        break
                    if box is True:
                        break
                    captions.append(box)
                    window = display.visible_windows(box)[0]
                    display.key("Return")
                    rig.wait_until(lambda: window not in display.windows(box), 20, 0.1, "the box to close")
                self.assertEqual(display.wait_exit(proc, 30), 0)
                texts = re.findall(r'MSGBOX_OnInit L"([^"]*)"', proc.stderr.read().decode(errors="replace"))
                messages = list(zip(captions, texts))
            else:
                r = subprocess.run([rig.TARGET.program, "/s"], env=display.env(), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE, timeout=60)
                self.assertEqual(r.returncode, 0)
                messages = [tuple(l.split(": ", 1)) for l in r.stderr.decode().splitlines()]

        self.assertGreaterEqual(len(messages), 3, messages)
        self.assertEqual(messages[0], ("Debug", "Failed to initialize GLFW"))
        self.assertEqual(messages[-1], ("Debug", "Failed to open window"))
        for caption, text in messages[1:-1]:
            self.assertEqual((caption, text), ("Error", "The GLFW library is not initialized"))


if __name__ == "__main__":
    rig.main(rig.parse_target())

"""The released Windows files in a dist folder: what Quillomar.scr holds, and
the installer's silent install and uninstall and the zip's registry files
under Wine, in a prefix of their own.
    release_test.py DIST [unittest args]"""
import glob
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import rig  # noqa: E402

DIST = None
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "opengl32.dll", "shell32.dll", "msvcrt.dll",
               "advapi32.dll"}
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillomar"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
SAVER_KEY = r"HKCU\Software\Quillomar"
REG_FILES = {"Stars on every monitor.reg": "all", "Stars on the primary monitor only.reg": "primary"}


def version():
    names = glob.glob(os.path.join(DIST, "Quillomar-*-setup.exe"))
    return re.match(r"Quillomar-(.+)-setup\.exe", os.path.basename(names[0])).group(1)


def tool(*args):
    return subprocess.run(args, stdout=subprocess.PIPE, check=True, timeout=60).stdout


class ReleasedScr(unittest.TestCase):
    """Read with binutils' objdump and icoutils' wrestool and icotool."""

    def setUp(self):
        self.scr = os.path.join(DIST, "Quillomar.scr")
        with open(self.scr, "rb") as f:
            self.data = f.read()

    def test_stripped_without_build_paths_and_importing_only_system_dlls(self):
        sections = re.findall(r"^\s+\d+ (\S+)", tool("x86_64-w64-mingw32-objdump", "-h", self.scr).decode(), re.M)
        self.assertIn(".text", sections)
        self.assertFalse([n for n in sections if n.startswith((".debug", "/"))], sections)
        self.assertLessEqual(len(self.data), 1500000)
        for path in {ROOT, os.path.expanduser("~"), os.path.realpath(DIST)}:
            for form in (path.encode(), path.encode("utf-16-le")):
                self.assertNotIn(form, self.data, path)
        dlls = re.findall(r"DLL Name: (\S+)", tool("x86_64-w64-mingw32-objdump", "-p", self.scr).decode())
        self.assertTrue(dlls)
        self.assertLessEqual({n.lower() for n in dlls}, SYSTEM_DLLS)

    def test_icon_group_holds_six_sizes_and_versioninfo_the_version(self):
        with tempfile.NamedTemporaryFile(suffix=".ico") as ico:
            ico.write(tool("wrestool", "-x", "-t", "14", self.scr))
            ico.flush()
            sizes = re.findall(r"--width=(\d+) --height=\1 ", tool("icotool", "-l", ico.name).decode())
        self.assertEqual(sorted(int(n) for n in sizes), [16, 24, 32, 48, 64, 256])
        info = tool("wrestool", "-x", "--raw", "-t", "16", self.scr)
        fixed = info.index(struct.pack("<I", 0xFEEF04BD))
        want = [int(v) for v in version().split(".")] + [0]
        self.assertEqual(struct.unpack_from("<HHHH", info, fixed + 8), (want[1], want[0], want[3], want[2]))
        for key in ("FileVersion", "ProductVersion"):
            value = (key + "\0").encode("utf-16-le")
            self.assertIn(value, info)
            self.assertIn(".".join(map(str, want)).encode("utf-16-le"), info[info.index(value):info.index(value) + 64])


class Installer(unittest.TestCase):
    """One prefix for the whole story, as one machine would live it."""

    def setUp(self):
        if not shutil.which("wine"):
            self.skipTest("Wine is not installed")
        self.prefix = tempfile.mkdtemp(prefix="quillomar-setup-")
        self.addCleanup(shutil.rmtree, self.prefix, True)
        self.saver = rig.Target("wine", r"C:\windows\system32\Quillomar.scr", self.prefix)
        self.display = rig.Display(self.saver).__enter__()
        self.addCleanup(self.display.__exit__, None, None, None)
        self.display.run(["wine", "wineboot", "-u"], timeout=240)
        self.system32 = os.path.join(self.prefix, "drive_c", "windows", "system32")

    def wine(self, *args, timeout=120, check=True):
        return self.display.run(["wine"] + list(args), timeout=timeout, check=check)

    def query(self, key):
        """The values of KEY as a dict, or None when the key is missing."""
        r = subprocess.run(["wine", "reg", "query", key], env=self.display.env(), stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, timeout=60)
        if r.returncode != 0:
            return None
        values = {}
        for line in r.stdout.decode(errors="replace").splitlines():
            parts = re.split(r"\s{2,}|\t", line.strip(), maxsplit=2)
            if len(parts) == 3 and parts[1].startswith("REG_"):
                values[parts[0]] = parts[2]
        return values

    def install(self, *args):
        self.wine(os.path.join(DIST, "Quillomar-%s-setup.exe" % version()), "/S", *args)
        self.display.run(["wineserver", "-w"], timeout=120)

    def uninstall(self):
        # The uninstaller copies itself away and returns at once; wait for it.
        self.wine(r"C:\Program Files\Quillomar\uninstall.exe", "/S")
        self.display.run(["wineserver", "-w"], timeout=120)
        rig.wait_until(lambda: self.query(UNINSTALL_KEY) is None, 60, 0.5, "the uninstall key to go")

    def test_silent_install_runs_the_saver_and_silent_uninstall_cleans_up(self):
        self.install()
        with open(os.path.join(self.system32, "Quillomar.scr"), "rb") as f, \
                open(os.path.join(DIST, "Quillomar.scr"), "rb") as g:
            self.assertEqual(f.read(), g.read())
        self.assertFalse(os.path.exists(os.path.join(self.prefix, "drive_c", "windows", "syswow64", "Quillomar.scr")))
        key = self.query(UNINSTALL_KEY)
        self.assertEqual(key["DisplayName"], "Quillomar Screensaver")
        self.assertEqual(key["DisplayVersion"], version())
        self.assertEqual(key["Publisher"], "Quillomar")
        self.assertEqual(key["DisplayIcon"].lower(), r"c:\windows\system32\quillomar.scr,0")
        self.assertEqual(key["UninstallString"], r'"C:\Program Files\Quillomar\uninstall.exe"')
        self.assertEqual(key["QuietUninstallString"], r'"C:\Program Files\Quillomar\uninstall.exe" /S')
        self.assertGreater(int(key["EstimatedSize"], 16), 1000)
        self.assertEqual((key["NoModify"], key["NoRepair"]), ("0x1", "0x1"))
        desktop = self.query(DESKTOP_KEY)
        self.assertEqual(desktop["SCRNSAVE.EXE"].lower(), r"c:\windows\system32\quillomar.scr")
        self.assertEqual(desktop["ScreenSaveActive"], "1")
        self.assertEqual(self.query(SAVER_KEY), {"Monitors": "primary"})

        # The installed saver starts as Windows starts it, and draws.
        proc = self.display.start(["/s"])
        self.display.wait_window("Quillomar Screensaver", 30)
        rig.wait_until(lambda: self.display.screenshot().count(lambda p: max(p) > 48) > 50, 20, 0.5,
                       "stars from the installed saver")
        self.display.key("a")
        self.assertEqual(self.display.wait_exit(proc, 15), 0)

        self.uninstall()
        self.assertFalse(os.path.exists(os.path.join(self.system32, "Quillomar.scr")))
        self.assertNotIn("SCRNSAVE.EXE", self.query(DESKTOP_KEY))
        self.assertIsNone(self.query(SAVER_KEY))

        # A screen saver picked since then is not ours to reset; this install ticks the stars on every monitor.
        self.install("/MONITORS=all")
        self.assertEqual(self.query(SAVER_KEY), {"Monitors": "all"})
        self.wine("reg", "add", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d", r"C:\windows\system32\other.scr", "/f")
        self.uninstall()
        self.assertEqual(self.query(DESKTOP_KEY)["SCRNSAVE.EXE"], r"C:\windows\system32\other.scr")

        # The zip's registry files, in Windows line endings, set the choice (here: a prefix takes 20 s to make).
        with zipfile.ZipFile(os.path.join(DIST, "Quillomar-%s-win64.zip" % version())) as z:
            for name, value in REG_FILES.items():
                self.assertNotIn(b"\n", z.read(name).replace(b"\r\n", b""), name)
                z.extract(name, os.path.join(self.prefix, "drive_c"))
                self.wine("reg", "import", "C:\\" + name)
                self.assertEqual(self.query(SAVER_KEY), {"Monitors": value}, name)


if __name__ == "__main__":
    DIST = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)

"""The released Windows files in a dist folder: what Quillomar.scr holds, and
the installer's silent install and uninstall under Wine, in a prefix of its own.
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

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import rig  # noqa: E402

DIST = None
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "opengl32.dll", "shell32.dll", "msvcrt.dll",
               "advapi32.dll"}
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillomar"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def version():
    names = glob.glob(os.path.join(DIST, "Quillomar-*-setup.exe"))
    return re.match(r"Quillomar-(.+)-setup\.exe", os.path.basename(names[0])).group(1)


class Pe:
    """Just enough of a PE file: sections, imports, resources."""

    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        count, opt_size = struct.unpack_from("<H12xH", data, pe + 6)
        opt = pe + 24
        self.dirs = [struct.unpack_from("<II", data, opt + 112 + 8 * i) for i in range(16)]
        self.sections = []
        for i in range(count):
            s = opt + opt_size + 40 * i
            name = data[s:s + 8].rstrip(b"\0").decode()
            vsize, va, rsize, raw = struct.unpack_from("<IIII", data, s + 8)
            self.sections.append((name, va, max(vsize, rsize), raw))

    def at(self, rva):
        for _, va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("rva %x outside every section" % rva)

    def cstr(self, rva):
        o = self.at(rva)
        return self.data[o:self.data.index(b"\0", o)].decode()

    def imports(self):
        names, o = [], self.at(self.dirs[1][0])
        while struct.unpack_from("<I", self.data, o + 12)[0]:
            names.append(self.cstr(struct.unpack_from("<I", self.data, o + 12)[0]))
            o += 20
        return names

    def resources(self, type_id):
        """The data of every resource of TYPE_ID, all names and languages."""
        base = self.at(self.dirs[2][0])

        def entries(off):
            named, ids = struct.unpack_from("<HH", self.data, base + off + 12)
            for i in range(named + ids):
                yield struct.unpack_from("<II", self.data, base + off + 16 + 8 * i)

        def leaves(off):
            for _, target in entries(off):
                if target & 0x80000000:
                    yield from leaves(target & 0x7FFFFFFF)
                else:
                    rva, size = struct.unpack_from("<II", self.data, base + target)
                    yield self.data[self.at(rva):self.at(rva) + size]

        for ident, target in entries(0):
            if ident == type_id:
                return list(leaves(target & 0x7FFFFFFF))
        return []


class ReleasedScr(unittest.TestCase):
    def setUp(self):
        with open(os.path.join(DIST, "Quillomar.scr"), "rb") as f:
            self.data = f.read()
        self.pe = Pe(self.data)

    def test_stripped_without_build_paths_and_importing_only_system_dlls(self):
        names = [s[0] for s in self.pe.sections]
        self.assertFalse([n for n in names if n.startswith((".debug", "/"))], names)
        self.assertLessEqual(len(self.data), 1500000)
        for path in {ROOT, os.path.expanduser("~"), os.path.realpath(DIST)}:
            for form in (path.encode(), path.encode("utf-16-le")):
                self.assertNotIn(form, self.data, path)
        self.assertLessEqual({n.lower() for n in self.pe.imports()}, SYSTEM_DLLS)

    def test_icon_group_holds_six_sizes_and_versioninfo_the_version(self):
        groups = self.pe.resources(14)  # RT_GROUP_ICON
        self.assertEqual(len(groups), 1)
        count = struct.unpack_from("<H", groups[0], 4)[0]
        sizes = sorted(groups[0][6 + 14 * i] or 256 for i in range(count))
        self.assertEqual(sizes, [16, 24, 32, 48, 64, 256])
        info = self.pe.resources(16)[0]  # RT_VERSION
        fixed = info.index(struct.pack("<I", 0xFEEF04BD))
        ms, ls = struct.unpack_from("<II", info, fixed + 8)
        want = [int(v) for v in version().split(".")] + [0]
        self.assertEqual([ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF], want)
        text = ".".join(str(v) for v in want)
        for key in ("FileVersion", "ProductVersion"):
            self.assertIn((key + "\0").encode("utf-16-le"), info)
            self.assertIn((text + "\0").encode("utf-16-le"), info)


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

    def install(self):
        self.wine(os.path.join(DIST, "Quillomar-%s-setup.exe" % version()), "/S")
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

        # A screen saver picked since then is not ours to reset.
        self.install()
        self.wine("reg", "add", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d", r"C:\windows\system32\other.scr", "/f")
        self.uninstall()
        self.assertEqual(self.query(DESKTOP_KEY)["SCRNSAVE.EXE"], r"C:\windows\system32\other.scr")


if __name__ == "__main__":
    DIST = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)

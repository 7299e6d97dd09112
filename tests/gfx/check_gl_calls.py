#!/usr/bin/env python3
"""Fails when program code calls OpenGL other than through GlApi, or calls a
GlApi entry that the start-up check for missing entries does not cover.

Usage: check_gl_calls.py <repository root>
"""

import os
import re
import sys

AREAS = ["app", "gfx", "model", "scene", "about", "objl", "platform", "base"]
# The table itself, its loaders and its generated declarations.
TABLE_FILES = {
    "gfx/gl_api.h", "gfx/gl_api.cpp", "gfx/gl_loader.h", "gfx/gl_loader_posix.cpp",
    "gfx/gl_loader_win32.cpp", "gfx/gl_required.h", "gfx/gl_required.cpp",
    "gfx/gl_functions.inc", "gfx/gl_types.h", "gfx/gl_enums.h", "gfx/gl_entry_origins.inc",
}
SUFFIXES = (".c", ".cc", ".cpp", ".h", ".hpp", ".inc")

DIRECT_CALL = re.compile(r"(?<!GlApi\.)\b(gl[A-Z]\w*)\s*\(")
TABLE_CALL = re.compile(r"\bGlApi\.(gl[A-Z]\w*)\s*\(")
REQUIRED = re.compile(r"\bX\((gl[A-Z]\w*)\)")
# Comments and literals, replaced by spaces so line numbers stay right.
NOISE = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)


def blank(match):
    return re.sub(r"[^\n]", " ", match.group(0))


def code_of(text):
    return NOISE.sub(blank, text)


def self_check():
    flagged = lambda s: [m.group(1) for m in DIRECT_CALL.finditer(code_of(s))]
    assert flagged("glClear(GL_COLOR_BUFFER_BIT);") == ["glClear"]
    assert flagged("x = glGetString (GL_VERSION);") == ["glGetString"]
    assert flagged("GlApi.glClear(0); glfwInit(); // glClear(0)") == []
    assert flagged("other.glClear(0); ::glClear(0);") == ["glClear", "glClear"]
    assert flagged('show("glClear(x) failed");') == []


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    self_check()
    root = sys.argv[1]
    with open(os.path.join(root, "gfx", "gl_required.cpp"), encoding="utf-8") as f:
        required = set(REQUIRED.findall(f.read()))
    faults = []
    for area in AREAS:
        for folder, _, files in os.walk(os.path.join(root, area)):
            for name in sorted(files):
                path = os.path.join(folder, name)
                relative = os.path.relpath(path, root).replace(os.sep, "/")
                if not name.endswith(SUFFIXES) or relative in TABLE_FILES:
                    continue
                with open(path, encoding="utf-8", errors="replace") as f:
                    code = code_of(f.read())
                for match in DIRECT_CALL.finditer(code):
                    line = code.count("\n", 0, match.start()) + 1
                    faults.append("%s:%d: %s called directly, not through GlApi" % (relative, line, match.group(1)))
                for match in TABLE_CALL.finditer(code):
                    if match.group(1) not in required:
                        line = code.count("\n", 0, match.start()) + 1
                        faults.append("%s:%d: GlApi.%s is not among the entries checked at start-up (gfx/gl_required.cpp)"
                                      % (relative, line, match.group(1)))
    for fault in faults:
        print(fault)
    if faults:
        sys.exit(1)
    print("all GL calls go through GlApi, and every entry called is checked at start-up")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the OpenGL table's sources from the Khronos registry.

Outputs, committed so that no build needs a system GL header:
  gfx/gl_functions.inc  GL_FUNCTION(ret, name, params) per entry, in table order
  gfx/gl_entry_origins.inc  the core version or extension that brings each entry
  gfx/gl_types.h        the GL typedefs those signatures use
  gfx/gl_enums.h        the GL constants listed in ENUMS below

Usage: tools/gen_gl_api.py [--registry gl.xml] [--out-dir gfx] [--check]
--check compares with the committed files instead of writing them.
"""

import argparse
import os
import sys
import xml.etree.ElementTree as ET

GENERATOR = "tools/gen_gl_api.py"
DEFAULT_REGISTRY = "/usr/share/khronos-api/gl.xml"

CORE_VERSIONS = ["1.0", "1.1", "1.2", "1.3", "1.4", "1.5", "2.0", "2.1",
                 "3.0", "3.1", "3.2", "3.3", "4.0", "4.1", "4.2", "4.3",
                 "4.4", "4.5"]

# What each core section must hold: the registry is read, these are checked.
EXPECTED_SECTIONS = {
    "1.0": (48, "glCullFace", "glViewport"),
    "1.1": (14, "glDrawArrays", "glIsTexture"),
    "1.2": (4, "glDrawRangeElements", "glCopyTexSubImage3D"),
    "1.3": (9, "glActiveTexture", "glGetCompressedTexImage"),
    "1.4": (9, "glBlendFuncSeparate", "glBlendEquation"),
    "1.5": (19, "glGenQueries", "glGetBufferPointerv"),
    "2.0": (93, "glBlendEquationSeparate", "glVertexAttribPointer"),
    "2.1": (6, "glUniformMatrix2x3fv", "glUniformMatrix4x3fv"),
    "3.0": (84, "glColorMaski", "glIsVertexArray"),
    "3.1": (12, "glDrawArraysInstanced", "glUniformBlockBinding"),
    "3.2": (19, "glDrawElementsBaseVertex", "glSampleMaski"),
    "3.3": (28, "glBindFragDataLocationIndexed", "glVertexAttribP4uiv"),
    "4.0": (46, "glMinSampleShading", "glGetQueryIndexediv"),
    "4.1": (88, "glReleaseShaderCompiler", "glGetDoublei_v"),
    "4.2": (12, "glDrawArraysInstancedBaseInstance", "glDrawTransformFeedbackStreamInstanced"),
    "4.3": (43, "glClearBufferData", "glGetObjectPtrLabel"),
    "4.4": (9, "glBufferStorage", "glBindVertexBuffers"),
    "4.5": (110, "glClipControl", "glTextureBarrier"),
}

EXTENSIONS = [
    "glGetTextureHandleARB", "glGetTextureSamplerHandleARB",
    "glMakeTextureHandleResidentARB", "glMakeTextureHandleNonResidentARB",
    "glGetImageHandleARB", "glMakeImageHandleResidentARB",
    "glMakeImageHandleNonResidentARB", "glUniformHandleui64ARB",
    "glUniformHandleui64vARB", "glProgramUniformHandleui64ARB",
    "glProgramUniformHandleui64vARB", "glIsTextureHandleResidentARB",
    "glIsImageHandleResidentARB", "glVertexAttribL1ui64ARB",
    "glVertexAttribL1ui64vARB", "glGetVertexAttribLui64vARB",
    "glCreateSyncFromCLeventARB", "glDispatchComputeGroupSizeARB",
    "glDebugMessageControlARB", "glDebugMessageInsertARB",
    "glDebugMessageCallbackARB", "glGetDebugMessageLogARB",
    "glBlendEquationiARB", "glBlendEquationSeparateiARB", "glBlendFunciARB",
    "glBlendFuncSeparateiARB", "glMultiDrawArraysIndirectCountARB",
    "glMultiDrawElementsIndirectCountARB", "glGetGraphicsResetStatusARB",
    "glGetnTexImageARB", "glReadnPixelsARB", "glGetnCompressedTexImageARB",
    "glGetnUniformfvARB", "glGetnUniformivARB", "glGetnUniformuivARB",
    "glGetnUniformdvARB", "glMinSampleShadingARB", "glNamedStringARB",
    "glDeleteNamedStringARB", "glCompileShaderIncludeARB",
    "glIsNamedStringARB", "glGetNamedStringARB", "glGetNamedStringivARB",
    "glBufferPageCommitmentARB", "glNamedBufferPageCommitmentEXT",
    "glNamedBufferPageCommitmentARB", "glTexPageCommitmentARB",
]

# Constants the program and its tests use; add a name here and rerun.
ENUMS = [
    # version and strings
    "GL_MAJOR_VERSION", "GL_MINOR_VERSION", "GL_VERSION", "GL_RENDERER",
    "GL_EXTENSIONS", "GL_NUM_EXTENSIONS",
    "GL_NO_ERROR", "GL_FALSE", "GL_TRUE",
    # context resets
    "GL_RESET_NOTIFICATION_STRATEGY", "GL_LOSE_CONTEXT_ON_RESET",
    # render state
    "GL_BACK", "GL_CW", "GL_BLEND", "GL_ONE", "GL_FRONT_AND_BACK", "GL_LINE",
    "GL_FILL", "GL_MULTISAMPLE", "GL_LINE_SMOOTH", "GL_POLYGON_SMOOTH",
    "GL_CULL_FACE", "GL_DEPTH_TEST", "GL_FRONT_FACE", "GL_CULL_FACE_MODE",
    "GL_BLEND_SRC_RGB", "GL_BLEND_DST_RGB", "GL_POLYGON_MODE", "GL_SAMPLES",
    "GL_VIEWPORT", "GL_COLOR_BUFFER_BIT", "GL_SCISSOR_TEST",
    # shaders
    "GL_VERTEX_SHADER", "GL_FRAGMENT_SHADER", "GL_COMPILE_STATUS",
    "GL_INFO_LOG_LENGTH", "GL_LINK_STATUS", "GL_CURRENT_PROGRAM",
    "GL_ATTACHED_SHADERS", "GL_DELETE_STATUS", "GL_SHADER_TYPE",
    "GL_ACTIVE_ATTRIBUTES", "GL_ACTIVE_UNIFORMS",
    # textures
    "GL_TEXTURE0", "GL_TEXTURE_2D", "GL_RGBA", "GL_RGB", "GL_FLOAT",
    "GL_UNSIGNED_BYTE", "GL_TEXTURE_WRAP_S", "GL_TEXTURE_WRAP_T", "GL_REPEAT",
    "GL_TEXTURE_MAG_FILTER", "GL_TEXTURE_MIN_FILTER", "GL_LINEAR",
    "GL_LINEAR_MIPMAP_LINEAR", "GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT",
    "GL_TEXTURE_MAX_ANISOTROPY_EXT", "GL_ACTIVE_TEXTURE",
    "GL_TEXTURE_BINDING_2D", "GL_TEXTURE_WIDTH", "GL_TEXTURE_HEIGHT",
    "GL_TEXTURE_MAX_LEVEL", "GL_TEXTURE_BASE_LEVEL", "GL_PACK_ALIGNMENT",
    "GL_UNPACK_ALIGNMENT",
    # buffers and drawing
    "GL_ARRAY_BUFFER", "GL_ELEMENT_ARRAY_BUFFER", "GL_STATIC_DRAW",
    "GL_BUFFER_SIZE", "GL_ARRAY_BUFFER_BINDING",
    "GL_ELEMENT_ARRAY_BUFFER_BINDING", "GL_VERTEX_ATTRIB_ARRAY_ENABLED",
    "GL_VERTEX_ATTRIB_ARRAY_SIZE", "GL_TRIANGLES", "GL_UNSIGNED_INT",
]

# C definitions of the registry's types, in declaration order, written
# without <KHR/khrplatform.h>. Only those the table's signatures use are kept.
TYPE_DEFINITIONS = [
    ("GLenum", "typedef unsigned int GLenum;"),
    ("GLboolean", "typedef unsigned char GLboolean;"),
    ("GLbitfield", "typedef unsigned int GLbitfield;"),
    ("GLvoid", "typedef void GLvoid;"),
    ("GLbyte", "typedef std::int8_t GLbyte;"),
    ("GLubyte", "typedef std::uint8_t GLubyte;"),
    ("GLshort", "typedef std::int16_t GLshort;"),
    ("GLushort", "typedef std::uint16_t GLushort;"),
    ("GLint", "typedef int GLint;"),
    ("GLuint", "typedef unsigned int GLuint;"),
    ("GLsizei", "typedef int GLsizei;"),
    ("GLfloat", "typedef float GLfloat;"),
    ("GLclampf", "typedef float GLclampf;"),
    ("GLdouble", "typedef double GLdouble;"),
    ("GLclampd", "typedef double GLclampd;"),
    ("GLchar", "typedef char GLchar;"),
    ("GLcharARB", "typedef char GLcharARB;"),
    ("GLhalf", "typedef std::uint16_t GLhalf;"),
    ("GLfixed", "typedef std::int32_t GLfixed;"),
    # khronos_intptr_t and khronos_ssize_t are pointer-sized on LP64 and LLP64.
    ("GLintptr", "typedef std::intptr_t GLintptr;"),
    ("GLsizeiptr", "typedef std::ptrdiff_t GLsizeiptr;"),
    ("GLint64", "typedef std::int64_t GLint64;"),
    ("GLuint64", "typedef std::uint64_t GLuint64;"),
    ("GLint64EXT", "typedef std::int64_t GLint64EXT;"),
    ("GLuint64EXT", "typedef std::uint64_t GLuint64EXT;"),
    ("GLsync", "typedef struct __GLsync* GLsync;"),
    ("struct _cl_context", "struct _cl_context;"),
    ("struct _cl_event", "struct _cl_event;"),
    ("GLDEBUGPROC", "typedef void(GL_APIENTRY* GLDEBUGPROC)(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei length, const GLchar* message, const void* userParam);"),
    ("GLDEBUGPROCARB", "typedef void(GL_APIENTRY* GLDEBUGPROCARB)(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei length, const GLchar* message, const void* userParam);"),
]
# Types a kept type is written in terms of.
TYPE_NEEDS = {
    "GLDEBUGPROC": ["GLenum", "GLuint", "GLsizei", "GLchar"],
    "GLDEBUGPROCARB": ["GLenum", "GLuint", "GLsizei", "GLchar"],
}


def fail(message):
    sys.stderr.write("gen_gl_api: " + message + "\n")
    sys.exit(1)


def text_of(element):
    return " ".join("".join(element.itertext()).split())


def read_commands(root):
    """name -> (return type, parameter list, types used)"""
    commands = {}
    for command in root.find("commands").findall("command"):
        proto = command.find("proto")
        name = proto.find("name").text
        ret_parts = [proto.text or ""]
        for child in proto:
            if child.tag == "name":
                break
            ret_parts.append(child.text or "")
            ret_parts.append(child.tail or "")
        ret = " ".join("".join(ret_parts).split())
        types = set(ptype.text for ptype in proto.iter("ptype"))
        params = []
        for param in command.findall("param"):
            params.append(text_of(param))
            types.update(ptype.text for ptype in param.iter("ptype"))
            # The CL interop structs appear as bare text, not as <ptype>.
            for cl in ("struct _cl_context", "struct _cl_event"):
                if cl in text_of(param):
                    types.add(cl)
        commands[name] = (ret, "(" + ", ".join(params) + ")" if params else "(void)", types)
    return commands


def core_sections(root):
    features = {}
    for feature in root.findall("feature"):
        if feature.get("api") == "gl":
            features[feature.get("number")] = feature
    # The core profile at the last version: a later version may bring back
    # what 3.2 removed (glGetPointerv returned with 4.3).
    present = set()
    for number in CORE_VERSIONS:
        for require in features.get(number, ET.Element("feature")).findall("require"):
            if require.get("profile") in (None, "core"):
                present.update(c.get("name") for c in require.findall("command"))
        for remove in features.get(number, ET.Element("feature")).findall("remove"):
            if remove.get("profile") in (None, "core"):
                present.difference_update(c.get("name") for c in remove.findall("command"))
    sections = []
    seen = set()
    for number in CORE_VERSIONS:
        if number not in features:
            fail("no feature GL " + number + " in the registry")
        names = []
        for require in features[number].findall("require"):
            if require.get("profile") not in (None, "core"):
                continue
            for command in require.findall("command"):
                name = command.get("name")
                if name not in present or name in seen:
                    continue
                seen.add(name)
                names.append(name)
        sections.append(("Core " + number, names))
    return sections


def extension_of(root):
    """command -> the one extension that brings it, for the table's extension entries"""
    bringers = {}
    for extension in root.find("extensions").findall("extension"):
        if "gl" not in extension.get("supported", "").split("|"):
            continue
        for require in extension.findall("require"):
            if require.get("api") not in (None, "gl"):
                continue
            for command in require.findall("command"):
                bringers.setdefault(command.get("name"), []).append(extension.get("name"))
    origins = {}
    for name in EXTENSIONS:
        found = sorted(set(bringers.get(name, [])))
        if len(found) != 1:
            fail("%s: expected one extension to bring it, registry gives %r" % (name, found))
        origins[name] = found[0]
    return origins


def check_sections(sections):
    for (title, names) in sections:
        number = title.split()[1]
        count, first, last = EXPECTED_SECTIONS[number]
        got = (len(names), names[0] if names else None, names[-1] if names else None)
        if got != (count, first, last):
            fail("%s: expected %r, registry gives %r" % (title, (count, first, last), got))


def read_enums(root):
    values = {}
    for enums in root.findall("enums"):
        for enum in enums.findall("enum"):
            if enum.get("api") not in (None, "gl"):
                continue
            values.setdefault(enum.get("name"), enum.get("value") + (enum.get("type") or ""))
    return values


def header_line(what):
    return "// Generated by %s from the Khronos gl.xml registry: %s. Do not edit.\n" % (GENERATOR, what)


def render_functions(sections, commands):
    out = [header_line("the OpenGL table's entries in fill order")]
    out.append("// GL_FUNCTION(return type, name, parameter list)\n")
    for (title, names) in sections:
        out.append("\n// %s\n" % title)
        for name in names:
            ret, params, _ = commands[name]
            out.append("GL_FUNCTION(%s, %s, %s)\n" % (ret, name, params))
    return "".join(out)


def render_origins(sections, extensions):
    out = [header_line("what brings each entry of the table, in table order")]
    out.append("// GL_CORE(major, minor) or GL_EXTENSION(\"name\") opens a run of the GL_ENTRY(name) it brings.\n")
    for (title, names) in sections:
        if title.startswith("Core "):
            major, minor = title.split()[1].split(".")
            out.append("\nGL_CORE(%s, %s)\n" % (major, minor))
            out.extend("GL_ENTRY(%s)\n" % name for name in names)
            continue
        current = None
        for name in names:
            if extensions[name] != current:
                current = extensions[name]
                out.append("\nGL_EXTENSION(\"%s\")\n" % current)
            out.append("GL_ENTRY(%s)\n" % name)
    return "".join(out)


def render_types(used):
    wanted = set(used)
    for name in list(wanted):
        wanted.update(TYPE_NEEDS.get(name, []))
    known = set(name for (name, _) in TYPE_DEFINITIONS)
    unknown = sorted(wanted - known)
    if unknown:
        fail("no definition for types: " + ", ".join(unknown))
    out = [header_line("the GL types of the table's signatures")]
    out.append("#pragma once\n\n#include <cstddef>\n#include <cstdint>\n\n")
    out.append("// The GL calling convention; the x86_64 ABIs have only one.\n")
    out.append("#define GL_APIENTRY\n\n")
    for (name, definition) in TYPE_DEFINITIONS:
        if name in wanted:
            out.append(definition + "\n")
    return "".join(out)


def render_enums(values):
    missing = [name for name in ENUMS if name not in values]
    if missing:
        fail("constants not in the registry: " + ", ".join(missing))
    out = [header_line("the GL constants the program uses")]
    out.append("#pragma once\n\n")
    width = max(len(name) for name in ENUMS)
    for name in sorted(set(ENUMS)):
        out.append("#define %s %s\n" % (name.ljust(width), values[name]))
    return "".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--registry", default=DEFAULT_REGISTRY)
    parser.add_argument("--out-dir", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "gfx"))
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()

    root = ET.parse(args.registry).getroot()
    commands = read_commands(root)
    sections = core_sections(root)
    check_sections(sections)
    sections.append(("Extensions", EXTENSIONS))

    names = [name for (_, section) in sections for name in section]
    missing = [name for name in names if name not in commands]
    if missing:
        fail("commands not in the registry: " + ", ".join(missing))
    if len(names) != 700 or len(set(names)) != 700:
        fail("expected 700 distinct entries, got %d (%d distinct)" % (len(names), len(set(names))))

    used = set()
    for name in names:
        used.update(commands[name][2])
    outputs = {
        "gl_functions.inc": render_functions(sections, commands),
        "gl_entry_origins.inc": render_origins(sections, extension_of(root)),
        "gl_types.h": render_types(used),
        "gl_enums.h": render_enums(read_enums(root)),
    }
    stale = []
    for (file_name, text) in outputs.items():
        path = os.path.join(args.out_dir, file_name)
        if args.check:
            try:
                with open(path, encoding="utf-8") as f:
                    if f.read() != text:
                        stale.append(file_name)
            except FileNotFoundError:
                stale.append(file_name)
        else:
            with open(path, "w", encoding="utf-8", newline="\n") as f:
                f.write(text)
    if stale:
        fail("out of date, rerun " + GENERATOR + ": " + ", ".join(stale))


if __name__ == "__main__":
    main()

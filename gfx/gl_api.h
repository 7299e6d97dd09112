#pragma once

#include "gfx/gl_enums.h"
#include "gfx/gl_types.h"

// Every OpenGL entry point the program may call, resolved once after the
// context is current. Call as GlApi.glClear(GL_COLOR_BUFFER_BIT).
struct GlApiTable {
#define GL_FUNCTION(ret, name, params) ret(GL_APIENTRY* name) params;
#include "gfx/gl_functions.inc"
#undef GL_FUNCTION
};

extern GlApiTable GlApi;
extern int glVersionMajor;
extern int glVersionMinor;

// Fills GlApi in table order; 0 for a context of version 3 or later, else -1.
int initGlApi();

// One name: the context's own lookup first, the GL library's exports second.
void* getGlProcAddress(const char* name);

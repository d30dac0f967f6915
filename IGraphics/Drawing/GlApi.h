#pragma once

// Private to the renderer: the OpenGL types and constants it uses. Functions
// are never called through the platform's prototypes, only through GlFunctions,
// so the renderer needs no import library beyond the one that hands out
// function addresses.

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glext.h>

#ifndef APIENTRY
#define APIENTRY
#endif

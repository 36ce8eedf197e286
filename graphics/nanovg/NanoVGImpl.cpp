// NanoVG, its OpenGL 2 renderer and its framebuffer utilities, compiled from Debian's copy.
// Images are decoded by NanoVGImages.cpp with the system's stb_image, so the older decoder
// that ships beside nanovg.c stays out.
#include <GL/gl.h>
#include <GL/glext.h>

#define NVG_NO_STB
#include "nanovg.c"

#define NANOVG_GL2_IMPLEMENTATION
#include "nanovg_gl.h"
// Framebuffer objects are core in every GL a Linux host offers through GL_GLEXT_PROTOTYPES;
// the utilities only assume so on macOS.
#define NANOVG_FBO_VALID 1
#include "nanovg_gl_utils.h"

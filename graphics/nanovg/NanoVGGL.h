#pragma once

// NanoVG's API with its OpenGL 2 renderer and framebuffer utilities, in the order their
// declarations need.
#include <GL/gl.h>
#include <GL/glext.h>

#include "nanovg.h"
#define NANOVG_GL2 1
#include "nanovg_gl.h"
#include "nanovg_gl_utils.h"

#pragma once

// opengl32.dll exports OpenGL 1.1 only. The later functions NanoVG's GL2 renderer and its
// framebuffer utilities call (shaders, buffers, framebuffer objects) are defined here under
// their own names, each forwarding to the driver's entry point, which only a current context
// can give. Call Load with the editor's context current before anything draws.
namespace WinGLFunctions {

// The number of functions forwarded.
int Count();
// Looks every entry point up through the current context. False when one is missing, with
// its name in missing (when given): the driver's OpenGL is older than 2.0 or lacks
// framebuffer objects, and the editor cannot draw.
bool Load(const char** missing = nullptr);

} // namespace WinGLFunctions

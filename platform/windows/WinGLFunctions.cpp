#include "WinGLFunctions.h"

#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>

// Return type, name, parameters and arguments of each function forwarded.
#define KELVORA_GL_FUNCTIONS(X)                                                                    \
  X(void, glActiveTexture, (GLenum texture), (texture))                                            \
  X(void, glAttachShader, (GLuint program, GLuint shader), (program, shader))                      \
  X(void, glBindAttribLocation, (GLuint program, GLuint index, const GLchar* name),                \
    (program, index, name))                                                                        \
  X(void, glBindBuffer, (GLenum target, GLuint buffer), (target, buffer))                          \
  X(void, glBindFramebuffer, (GLenum target, GLuint framebuffer), (target, framebuffer))           \
  X(void, glBindRenderbuffer, (GLenum target, GLuint renderbuffer), (target, renderbuffer))        \
  X(void, glBlendFuncSeparate, (GLenum srcRGB, GLenum dstRGB, GLenum srcAlpha, GLenum dstAlpha),   \
    (srcRGB, dstRGB, srcAlpha, dstAlpha))                                                          \
  X(void, glBufferData, (GLenum target, GLsizeiptr size, const void* data, GLenum usage),          \
    (target, size, data, usage))                                                                   \
  X(GLenum, glCheckFramebufferStatus, (GLenum target), (target))                                   \
  X(void, glCompileShader, (GLuint shader), (shader))                                              \
  X(GLuint, glCreateProgram, (void), ())                                                           \
  X(GLuint, glCreateShader, (GLenum type), (type))                                                 \
  X(void, glDeleteBuffers, (GLsizei n, const GLuint* buffers), (n, buffers))                       \
  X(void, glDeleteFramebuffers, (GLsizei n, const GLuint* framebuffers), (n, framebuffers))        \
  X(void, glDeleteProgram, (GLuint program), (program))                                            \
  X(void, glDeleteRenderbuffers, (GLsizei n, const GLuint* renderbuffers), (n, renderbuffers))     \
  X(void, glDeleteShader, (GLuint shader), (shader))                                               \
  X(void, glDisableVertexAttribArray, (GLuint index), (index))                                     \
  X(void, glEnableVertexAttribArray, (GLuint index), (index))                                      \
  X(void, glFramebufferRenderbuffer,                                                               \
    (GLenum target, GLenum attachment, GLenum renderbuffertarget, GLuint renderbuffer),            \
    (target, attachment, renderbuffertarget, renderbuffer))                                        \
  X(void, glFramebufferTexture2D,                                                                  \
    (GLenum target, GLenum attachment, GLenum textarget, GLuint texture, GLint level),             \
    (target, attachment, textarget, texture, level))                                               \
  X(void, glGenBuffers, (GLsizei n, GLuint * buffers), (n, buffers))                               \
  X(void, glGenFramebuffers, (GLsizei n, GLuint * framebuffers), (n, framebuffers))                \
  X(void, glGenRenderbuffers, (GLsizei n, GLuint * renderbuffers), (n, renderbuffers))             \
  X(void, glGetProgramInfoLog,                                                                     \
    (GLuint program, GLsizei bufSize, GLsizei * length, GLchar * infoLog),                         \
    (program, bufSize, length, infoLog))                                                           \
  X(void, glGetProgramiv, (GLuint program, GLenum pname, GLint * params),                          \
    (program, pname, params))                                                                      \
  X(void, glGetShaderInfoLog,                                                                      \
    (GLuint shader, GLsizei bufSize, GLsizei * length, GLchar * infoLog),                          \
    (shader, bufSize, length, infoLog))                                                            \
  X(void, glGetShaderiv, (GLuint shader, GLenum pname, GLint * params), (shader, pname, params))   \
  X(GLint, glGetUniformLocation, (GLuint program, const GLchar* name), (program, name))            \
  X(void, glLinkProgram, (GLuint program), (program))                                              \
  X(void, glRenderbufferStorage,                                                                   \
    (GLenum target, GLenum internalformat, GLsizei width, GLsizei height),                         \
    (target, internalformat, width, height))                                                       \
  X(void, glShaderSource,                                                                          \
    (GLuint shader, GLsizei count, const GLchar* const* string, const GLint* length),              \
    (shader, count, string, length))                                                               \
  X(void, glStencilOpSeparate, (GLenum face, GLenum sfail, GLenum dpfail, GLenum dppass),          \
    (face, sfail, dpfail, dppass))                                                                 \
  X(void, glUniform1i, (GLint location, GLint v0), (location, v0))                                 \
  X(void, glUniform2fv, (GLint location, GLsizei count, const GLfloat* value),                     \
    (location, count, value))                                                                      \
  X(void, glUniform4fv, (GLint location, GLsizei count, const GLfloat* value),                     \
    (location, count, value))                                                                      \
  X(void, glUseProgram, (GLuint program), (program))                                               \
  X(void, glVertexAttribPointer,                                                                   \
    (GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride,                  \
     const void* pointer),                                                                         \
    (index, size, type, normalized, stride, pointer))

namespace {

struct EntryPoints {
#define KELVORA_GL_POINTER(ret, name, params, args) ret(APIENTRY* name) params = nullptr;
  KELVORA_GL_FUNCTIONS(KELVORA_GL_POINTER)
#undef KELVORA_GL_POINTER
};

EntryPoints gEntryPoints;

using AnyFunction = void (*)();

// Some drivers answer a missing name with small numbers or -1 instead of null.
AnyFunction Lookup(const char* name) {
  PROC proc = wglGetProcAddress(name);
  const auto value = reinterpret_cast<intptr_t>(proc);
  if (value >= -1 && value <= 3) return nullptr;
  return reinterpret_cast<AnyFunction>(proc);
}

} // namespace

extern "C" {
#define KELVORA_GL_FORWARD(ret, name, params, args)                                                \
  ret APIENTRY name params {                                                                       \
    return gEntryPoints.name args;                                                                 \
  }
KELVORA_GL_FUNCTIONS(KELVORA_GL_FORWARD)
#undef KELVORA_GL_FORWARD
}

namespace WinGLFunctions {

int Count() {
  int count = 0;
#define KELVORA_GL_COUNT(ret, name, params, args) ++count;
  KELVORA_GL_FUNCTIONS(KELVORA_GL_COUNT)
#undef KELVORA_GL_COUNT
  return count;
}

bool Load(const char** missing) {
  EntryPoints loaded;
#define KELVORA_GL_LOAD(ret, name, params, args)                                                   \
  loaded.name = reinterpret_cast<decltype(loaded.name)>(Lookup(#name));                            \
  if (!loaded.name) {                                                                              \
    if (missing) *missing = #name;                                                                 \
    return false;                                                                                  \
  }
  KELVORA_GL_FUNCTIONS(KELVORA_GL_LOAD)
#undef KELVORA_GL_LOAD
  gEntryPoints = loaded;
  return true;
}

} // namespace WinGLFunctions

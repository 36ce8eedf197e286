#include "GLTestContext.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>
#include <GL/glxext.h>
#include <X11/Xlib.h>

#include <algorithm>

namespace {

// Returns an error from X instead of exiting, so a missing GLX feature becomes a skip.
int IgnoreXError(Display*, XErrorEvent*) {
  return 0;
}

// One connection for the whole test run, never closed: closing it unloads Mesa's driver,
// whose own allocations would then show up as leaks of an unknown module.
Display* SharedDisplay() {
  static Display* dpy = XOpenDisplay(nullptr);
  return dpy;
}

GLXContext CreateLegacyContext(Display* dpy, GLXFBConfig config) {
  auto createWithAttribs = reinterpret_cast<PFNGLXCREATECONTEXTATTRIBSARBPROC>(
      glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCreateContextAttribsARB")));
  if (createWithAttribs) {
    const int attribs[] = {GLX_CONTEXT_MAJOR_VERSION_ARB,
                           2,
                           GLX_CONTEXT_MINOR_VERSION_ARB,
                           1,
                           GLX_CONTEXT_PROFILE_MASK_ARB,
                           GLX_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB,
                           None};
    if (GLXContext ctx = createWithAttribs(dpy, config, nullptr, True, attribs)) return ctx;
  }
  return glXCreateNewContext(dpy, config, GLX_RGBA_TYPE, nullptr, True);
}

} // namespace

GLTestContext::GLTestContext(int width, int height) {
  Display* dpy = SharedDisplay();
  if (!dpy) {
    mError = "no X display (run the tests under xvfb-run)";
    return;
  }
  mDisplay = dpy;
  XSetErrorHandler(IgnoreXError);
  const int attribs[] = {GLX_DRAWABLE_TYPE,
                         GLX_PBUFFER_BIT,
                         GLX_RENDER_TYPE,
                         GLX_RGBA_BIT,
                         GLX_RED_SIZE,
                         8,
                         GLX_GREEN_SIZE,
                         8,
                         GLX_BLUE_SIZE,
                         8,
                         GLX_ALPHA_SIZE,
                         8,
                         GLX_STENCIL_SIZE,
                         8,
                         None};
  int count = 0;
  GLXFBConfig* configs = glXChooseFBConfig(dpy, DefaultScreen(dpy), attribs, &count);
  if (!configs || count == 0) {
    if (configs) XFree(configs);
    mError = "the X display offers no GLX pbuffer configuration";
    return;
  }
  const GLXFBConfig config = configs[0];
  XFree(configs);
  const int pbufferAttribs[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, None};
  mPbuffer = glXCreatePbuffer(dpy, config, pbufferAttribs);
  GLXContext ctx = mPbuffer ? CreateLegacyContext(dpy, config) : nullptr;
  if (!ctx) {
    mError = "no legacy GLX context could be created";
    return;
  }
  mContext = ctx;
  MakeCurrent();
}

GLTestContext::~GLTestContext() {
  Display* dpy = static_cast<Display*>(mDisplay);
  if (!dpy) return;
  glXMakeContextCurrent(dpy, None, None, nullptr);
  if (mContext) glXDestroyContext(dpy, static_cast<GLXContext>(mContext));
  if (mPbuffer) glXDestroyPbuffer(dpy, mPbuffer);
}

void GLTestContext::MakeCurrent() {
  if (!mContext) return;
  glXMakeContextCurrent(static_cast<Display*>(mDisplay), mPbuffer, mPbuffer,
                        static_cast<GLXContext>(mContext));
}

std::vector<uint8_t> GLTestContext::ReadPixels(int width, int height) const {
  std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * height * 4);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<uint8_t> topDown(bottomUp.size());
  const size_t row = static_cast<size_t>(width) * 4;
  for (int y = 0; y < height; ++y)
    std::copy_n(bottomUp.begin() + static_cast<long>((height - 1 - y) * row), row,
                topDown.begin() + static_cast<long>(y * row));
  return topDown;
}

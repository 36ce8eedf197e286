#include "KeepGLDriverLoaded.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

// The connection and the context stay open until the process ends, as a host's would.
void KeepGLDriverLoaded() {
  static Display* dpy = XOpenDisplay(nullptr);
  static GLXContext context = [] {
    if (!dpy) return GLXContext{};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(dpy, DefaultScreen(dpy), nullptr, &count);
    GLXContext ctx =
        count > 0 ? glXCreateNewContext(dpy, configs[0], GLX_RGBA_TYPE, nullptr, True) : nullptr;
    if (configs) XFree(configs);
    return ctx;
  }();
  (void)context;
}

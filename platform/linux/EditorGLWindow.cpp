#include "EditorGLWindow.h"

#include "X11ErrorTrap.h"

#include <GL/glx.h>
#include <GL/glxext.h>
#include <X11/Xutil.h>

namespace {

// Embedding toolkits (GTK's socket under LV2 hosts' UI wrappers) size the frame they give a
// foreign child from its size hints, not from the child's geometry; without them the frame
// keeps the toolkit's default and cuts the editor off.
void AnnounceSize(Display* display, Window window, int widthPx, int heightPx) {
  XSizeHints hints{};
  hints.flags = PSize | PBaseSize;
  hints.width = hints.base_width = widthPx;
  hints.height = hints.base_height = heightPx;
  XSetWMNormalHints(display, window, &hints);
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
    X11ErrorTrap trap(dpy);
    GLXContext ctx = createWithAttribs(dpy, config, nullptr, True, attribs);
    if (ctx && !trap.Failed()) return ctx;
    if (ctx) glXDestroyContext(dpy, ctx);
  }
  return glXCreateNewContext(dpy, config, GLX_RGBA_TYPE, nullptr, True);
}

bool ChooseConfig(Display* dpy, GLXFBConfig& config) {
  const int attribs[] = {GLX_X_RENDERABLE,
                         True,
                         GLX_DRAWABLE_TYPE,
                         GLX_WINDOW_BIT,
                         GLX_RENDER_TYPE,
                         GLX_RGBA_BIT,
                         GLX_DOUBLEBUFFER,
                         True,
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
  if (!configs) return false;
  const bool found = count > 0;
  if (found) config = configs[0];
  XFree(configs);
  return found;
}

} // namespace

EditorGLWindow::~EditorGLWindow() {
  Destroy();
}

bool EditorGLWindow::Create(Window parent, int widthPx, int heightPx) {
  Destroy();
  mDisplay = XOpenDisplay(nullptr);
  if (!mDisplay) return false;
  GLXFBConfig config{};
  XVisualInfo* visual =
      ChooseConfig(mDisplay, config) ? glXGetVisualFromFBConfig(mDisplay, config) : nullptr;
  if (!visual) {
    Destroy();
    return false;
  }
  {
    X11ErrorTrap trap(mDisplay);
    mParent = parent ? parent : DefaultRootWindow(mDisplay);
    mColormap = XCreateColormap(mDisplay, DefaultRootWindow(mDisplay), visual->visual, AllocNone);
    XSetWindowAttributes attrs{};
    attrs.colormap = mColormap;
    attrs.event_mask = kEventMask;
    attrs.border_pixel = 0;
    attrs.background_pixel = 0;
    mWindow =
        XCreateWindow(mDisplay, mParent, 0, 0, widthPx > 0 ? widthPx : 1,
                      heightPx > 0 ? heightPx : 1, 0, visual->depth, InputOutput, visual->visual,
                      CWColormap | CWEventMask | CWBorderPixel | CWBackPixel, &attrs);
    // A parent window that is already gone fails here, not later.
    if (trap.Failed())
      mWindow = 0;
    else
      AnnounceSize(mDisplay, mWindow, widthPx > 0 ? widthPx : 1, heightPx > 0 ? heightPx : 1);
  }
  XFree(visual);
  if (mWindow) mContext = CreateLegacyContext(mDisplay, config);
  if (!mContext) {
    Destroy();
    return false;
  }
  return true;
}

void EditorGLWindow::Destroy() {
  if (!mDisplay) return;
  {
    X11ErrorTrap trap(mDisplay);
    if (mContext) {
      if (glXGetCurrentContext() == static_cast<GLXContext>(mContext))
        glXMakeContextCurrent(mDisplay, None, None, nullptr);
      glXDestroyContext(mDisplay, static_cast<GLXContext>(mContext));
    }
    // The host may have destroyed its window, and ours with it, already.
    if (mWindow && !mLost) XDestroyWindow(mDisplay, mWindow);
    if (mColormap) XFreeColormap(mDisplay, mColormap);
  }
  XCloseDisplay(mDisplay);
  mDisplay = nullptr;
  mContext = nullptr;
  mWindow = 0;
  mParent = 0;
  mColormap = 0;
  mResizeSerial = 0;
  mLost = false;
}

int EditorGLWindow::ConnectionFd() const {
  return mDisplay ? ConnectionNumber(mDisplay) : -1;
}

void EditorGLWindow::Map() {
  if (!mWindow || mLost) return;
  X11ErrorTrap trap(mDisplay);
  XMapWindow(mDisplay, mWindow);
}

void EditorGLWindow::Resize(int widthPx, int heightPx) {
  if (!mWindow || mLost || widthPx <= 0 || heightPx <= 0) return;
  X11ErrorTrap trap(mDisplay);
  mResizeSerial = NextRequest(mDisplay);
  XResizeWindow(mDisplay, mWindow, static_cast<unsigned>(widthPx), static_cast<unsigned>(heightPx));
  AnnounceSize(mDisplay, mWindow, widthPx, heightPx);
}

void EditorGLWindow::SwapBuffers() {
  if (!mContext || mLost) return;
  X11ErrorTrap trap(mDisplay);
  glXSwapBuffers(mDisplay, mWindow);
  if (trap.Failed()) mLost = true;
}

// The trap is set first and taken down last, so that it also covers putting the host's
// context back.
EditorGLWindow::Current::Current(EditorGLWindow& window)
    : mTrap(window.mDisplay), mPrevDisplay(glXGetCurrentDisplay()),
      mPrevContext(glXGetCurrentContext()), mPrevDraw(glXGetCurrentDrawable()),
      mPrevRead(glXGetCurrentReadDrawable()), mDisplay(window.mDisplay) {
  if (!window.mContext) return;
  if (!window.mLost) {
    glXMakeContextCurrent(mDisplay, window.mWindow, window.mWindow,
                          static_cast<GLXContext>(window.mContext));
    if (!mTrap.Failed()) return;
    window.mLost = true;
  }
  glXMakeContextCurrent(mDisplay, None, None, nullptr);
}

EditorGLWindow::Current::~Current() {
  if (glXGetCurrentContext() == static_cast<GLXContext>(mPrevContext)) return;
  if (mPrevContext && mPrevDisplay)
    glXMakeContextCurrent(mPrevDisplay, mPrevDraw, mPrevRead,
                          static_cast<GLXContext>(mPrevContext));
  else if (mDisplay)
    glXMakeContextCurrent(mDisplay, None, None, nullptr);
}

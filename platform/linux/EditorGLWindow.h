#pragma once

#include "X11ErrorTrap.h"

#include <X11/Xlib.h>

// The editor's X11 child window with its own connection to the X server and a legacy
// OpenGL 2.x context (RGBA 8 bits, 8-bit stencil, double-buffered) for NanoVG. Sizes are
// device pixels. The host may destroy its window, and ours with it, at any time: from then
// on the window is lost, and nothing touches it again.
class EditorGLWindow {
public:
  // The events the editor reacts to.
  static constexpr long kEventMask =
      ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
      LeaveWindowMask | KeyPressMask | KeyReleaseMask | StructureNotifyMask | PropertyChangeMask;

  EditorGLWindow() = default;
  ~EditorGLWindow();
  EditorGLWindow(const EditorGLWindow&) = delete;
  EditorGLWindow& operator=(const EditorGLWindow&) = delete;

  // Opens the connection and creates the window inside parent (the root window for 0),
  // unmapped. False, with nothing left behind, when any step fails.
  bool Create(Window parent, int widthPx, int heightPx);
  void Destroy();
  bool IsValid() const { return mContext != nullptr; }
  // Once the window is gone (DestroyNotify, or an X error binding the context to it).
  void MarkLost() { mLost = true; }
  bool IsLost() const { return mLost; }

  Display* GetDisplay() const { return mDisplay; }
  Window GetWindow() const { return mWindow; }
  Window GetParent() const { return mParent; }
  int ConnectionFd() const;

  void Map();
  void Resize(int widthPx, int heightPx);
  // The request number of the last Resize: the window's configure events that the server sent
  // before it handled that request show sizes it no longer has.
  unsigned long ResizeSerial() const { return mResizeSerial; }
  void SwapBuffers();

  // Makes this window's context current for the scope and puts back whatever context the
  // thread had (the host may draw with GL too). Every X and GLX request of the scope, the
  // driver's own included, runs under an X error trap. When the window is lost, no context
  // is current in the scope: GL calls then do nothing rather than reach the host's context.
  class Current {
  public:
    explicit Current(EditorGLWindow& window);
    ~Current();
    Current(const Current&) = delete;
    Current& operator=(const Current&) = delete;

  private:
    X11ErrorTrap mTrap;
    Display* mPrevDisplay;
    void* mPrevContext;
    unsigned long mPrevDraw;
    unsigned long mPrevRead;
    Display* mDisplay;
  };

private:
  Display* mDisplay = nullptr;
  Window mWindow = 0;
  Window mParent = 0;
  Colormap mColormap = 0;
  void* mContext = nullptr;
  unsigned long mResizeSerial = 0;
  bool mLost = false;
};

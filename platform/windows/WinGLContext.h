#pragma once

#include "WinHandles.h"

// The OpenGL context of the editor's window: a pixel format with 8-bit RGBA, an 8-bit stencil
// and double buffering, a legacy (compatibility) context as NanoVG's GL2 renderer wants, and
// the later GL entry points loaded through it. The window's class must have its own device
// context (CS_OWNDC), which the context keeps for the window's life.
class WinGLContext {
public:
  WinGLContext() = default;
  ~WinGLContext();
  WinGLContext(const WinGLContext&) = delete;
  WinGLContext& operator=(const WinGLContext&) = delete;

  // False, with nothing left behind, when any step fails.
  bool Create(HWND__* window);
  void Destroy();
  bool IsValid() const { return mContext != nullptr; }
  void SwapBuffers();
  // The stencil bits the pixel format gave; NanoVG fills paths through the stencil.
  int StencilBits() const { return mStencilBits; }

  // Makes the context current for the scope and puts back whatever the thread had current
  // before (the host may draw with OpenGL too).
  class Current {
  public:
    explicit Current(WinGLContext& context);
    ~Current();
    Current(const Current&) = delete;
    Current& operator=(const Current&) = delete;

  private:
    HDC__* mPrevDC;
    HGLRC__* mPrevContext;
    bool mChanged = false;
  };

private:
  HWND__* mWindow = nullptr;
  HDC__* mDC = nullptr;
  HGLRC__* mContext = nullptr;
  int mStencilBits = 0;
};

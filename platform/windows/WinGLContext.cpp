#include "WinGLContext.h"

#include "WinGLFunctions.h"

#include <windows.h>

namespace {

bool SetEditorPixelFormat(HDC dc, int& stencilBits) {
  PIXELFORMATDESCRIPTOR wanted{};
  wanted.nSize = sizeof(wanted);
  wanted.nVersion = 1;
  wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  wanted.iPixelType = PFD_TYPE_RGBA;
  wanted.cColorBits = 32;
  wanted.cAlphaBits = 8;
  wanted.cStencilBits = 8;
  wanted.iLayerType = PFD_MAIN_PLANE;
  const int format = ChoosePixelFormat(dc, &wanted);
  if (format == 0) return false;
  PIXELFORMATDESCRIPTOR got{};
  DescribePixelFormat(dc, format, sizeof(got), &got);
  if (got.cStencilBits < 8 || !(got.dwFlags & PFD_DOUBLEBUFFER)) return false;
  stencilBits = got.cStencilBits;
  return SetPixelFormat(dc, format, &got) != FALSE;
}

} // namespace

WinGLContext::~WinGLContext() {
  Destroy();
}

bool WinGLContext::Create(HWND window) {
  Destroy();
  mWindow = window;
  mDC = GetDC(window);
  if (mDC && SetEditorPixelFormat(mDC, mStencilBits)) mContext = wglCreateContext(mDC);
  if (mContext) {
    Current current(*this);
    if (!WinGLFunctions::Load()) {
      Destroy();
      return false;
    }
  }
  if (!mContext) Destroy();
  return mContext != nullptr;
}

void WinGLContext::Destroy() {
  if (mContext) {
    if (wglGetCurrentContext() == mContext) wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(mContext);
  }
  if (mDC) ReleaseDC(mWindow, mDC);
  mContext = nullptr;
  mDC = nullptr;
  mWindow = nullptr;
  mStencilBits = 0;
}

void WinGLContext::SwapBuffers() {
  if (mDC && mContext) ::SwapBuffers(mDC);
}

WinGLContext::Current::Current(WinGLContext& context)
    : mPrevDC(wglGetCurrentDC()), mPrevContext(wglGetCurrentContext()) {
  if (!context.mContext || mPrevContext == context.mContext) return;
  mChanged = wglMakeCurrent(context.mDC, context.mContext) != FALSE;
}

WinGLContext::Current::~Current() {
  if (!mChanged) return;
  if (mPrevContext)
    wglMakeCurrent(mPrevDC, mPrevContext);
  else
    wglMakeCurrent(nullptr, nullptr);
}

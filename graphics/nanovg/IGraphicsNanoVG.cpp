#include "IGraphicsNanoVG.h"

#include "FontDataCache.h"
#include "IBubbleControl.h"
#include "ICornerResizerControl.h"
#include "IFPSDisplayControl.h"
#include "IPopupMenuControl.h"
#include "ITextEntryControl.h"
#include "NanoVGBitmap.h"
#include "NanoVGGL.h"

IGraphicsNanoVG::IGraphicsNanoVG(IGEditorDelegate& dlg, int w, int h, int fps, float scale)
    : IGraphics(dlg, w, h, fps, scale) {
  FontDataCache::Instance().Retain();
}

// NanoVG holds the font bytes without owning them, so its context goes before the last
// reference to the font data can.
IGraphicsNanoVG::~IGraphicsNanoVG() {
  DeleteDrawSurface();
  mFramebufferReleaseQueue.Drain();
  FontDataCache::Instance().Release();
}

void IGraphicsNanoVG::CreateDrawContext(void*) {
  if (!mVG) mVG = nvgCreateGL2(NVG_ANTIALIAS);
}

void IGraphicsNanoVG::DestroyDrawContext() {
  TeardownControls();
  DeleteDrawSurface();
}

// The next opening of the editor lays it out again on a fresh context.
void IGraphicsNanoVG::TeardownControls() {
  ReleaseCapture();
  if (CursorIsHidden()) SetCursorHidden(false, true);
  mMouseOver = nullptr;
  mMouseOverIdx = -1;
  mInTextEntry = nullptr;
  mInPopupMenu = nullptr;
  mPopupMenuControl.reset();
  mTextEntryControl.reset();
  mCornerResizer.reset();
  mPerfDisplay.reset();
  mBubbleControls.clear();
  mCtrlTags.clear();
  while (!mControls.empty())
    mControls.pop_back();
}

void IGraphicsNanoVG::DeleteDrawSurface() {
  mLayers.clear();
  {
    std::lock_guard<std::mutex> lock(mBitmapCache.Mutex());
    mBitmapCache.Clear();
  }
  mFramebufferReleaseQueue.Drain();
  if (mMainFrameBuffer) nvgluDeleteFramebuffer(mMainFrameBuffer);
  mMainFrameBuffer = nullptr;
  if (mVG) nvgDeleteGL2(mVG);
  mVG = nullptr;
}

void IGraphicsNanoVG::ResizeDrawSurface() {
  if (mMainFrameBuffer) nvgluDeleteFramebuffer(mMainFrameBuffer);
  mMainFrameBuffer = nullptr;
  if (!mVG) return;
  const int w = static_cast<int>(static_cast<int>(Width() * DrawScale()) * ScreenScale());
  const int h = static_cast<int>(static_cast<int>(Height() * DrawScale()) * ScreenScale());
  if (w <= 0 || h <= 0) return;
  mMainFrameBuffer = nvgluCreateFramebuffer(mVG, w, h, 0);
}

void IGraphicsNanoVG::BeginMainFrame() {
  const int w = static_cast<int>(Width() * DrawScale());
  const int h = static_cast<int>(Height() * DrawScale());
  glViewport(0, 0, static_cast<int>(w * ScreenScale()), static_cast<int>(h * ScreenScale()));
  nvgluBindFramebuffer(mMainFrameBuffer);
  nvgBeginFrame(mVG, static_cast<float>(w), static_cast<float>(h), ScreenScale());
}

void IGraphicsNanoVG::BeginFrame() {
  mInFrame = true;
  IGraphics::BeginFrame();
  if (!mVG) return;
  const int w = static_cast<int>(Width() * DrawScale());
  const int h = static_cast<int>(Height() * DrawScale());
  glViewport(0, 0, static_cast<int>(w * ScreenScale()), static_cast<int>(h * ScreenScale()));
  glClearColor(0.f, 0.f, 0.f, 0.f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  ClearSurround();
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &mInitialFBO);
  BeginMainFrame();
}

// GL counts rows from the bottom: the picture takes the top rows of the window, the surround
// the rows below it and the columns to its right.
void IGraphicsNanoVG::ClearSurround() {
  const int surfaceW = SurfaceWidthPx(), surfaceH = SurfaceHeightPx();
  const int pictureW = PictureWidthPx(), pictureH = PictureHeightPx();
  if (surfaceW <= pictureW && surfaceH <= pictureH) return;
  glClearColor(kSurroundColor.R / 255.f, kSurroundColor.G / 255.f, kSurroundColor.B / 255.f, 1.f);
  glEnable(GL_SCISSOR_TEST);
  if (surfaceW > pictureW) {
    glScissor(pictureW, 0, surfaceW - pictureW, surfaceH);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  if (surfaceH > pictureH) {
    glScissor(0, 0, pictureW, surfaceH - pictureH);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  glDisable(GL_SCISSOR_TEST);
}

void IGraphicsNanoVG::EndFrame() {
  if (mVG) {
    nvgEndFrame(mVG);
    nvgluBindFramebuffer(nullptr);
    const float w = static_cast<float>(static_cast<int>(Width() * DrawScale()));
    const float h = static_cast<float>(static_cast<int>(Height() * DrawScale()));
    // GL counts rows from the bottom: the picture goes to the window's top left.
    glViewport(0, SurfaceHeightPx() - PictureHeightPx(), PictureWidthPx(), PictureHeightPx());
    nvgBeginFrame(mVG, w, h, ScreenScale());
    if (mMainFrameBuffer) {
      const NVGpaint img = nvgImagePattern(mVG, 0.f, 0.f, w, h, 0.f, mMainFrameBuffer->image, 1.f);
      nvgSave(mVG);
      nvgResetTransform(mVG);
      nvgBeginPath(mVG);
      nvgRect(mVG, 0.f, 0.f, w, h);
      nvgFillPaint(mVG, img);
      nvgFill(mVG);
      nvgRestore(mVG);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(mInitialFBO));
    nvgEndFrame(mVG);
  }
  mInFrame = false;
  mFramebufferReleaseQueue.Drain();
}

void IGraphicsNanoVG::ReleaseFramebuffer(NVGLUframebuffer* fb) {
  if (mInFrame)
    mFramebufferReleaseQueue.Add(fb);
  else
    nvgluDeleteFramebuffer(fb);
}

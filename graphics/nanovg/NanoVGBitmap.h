#pragma once

#include "IGraphicsNanoVG.h"

// A NanoVG image: decoded from a file or memory, made from RGBA bytes, or a render target
// with its own framebuffer.
class IGraphicsNanoVG::Bitmap : public APIBitmap {
public:
  // A decoded image; a shared one's image is owned elsewhere and never deleted here.
  Bitmap(NVGcontext* vg, int image, float scale, bool shared);
  // A render target of widthPx by heightPx, cleared to transparent black.
  Bitmap(IGraphicsNanoVG* graphics, NVGcontext* vg, int widthPx, int heightPx, float scale,
         float drawScale);
  // An image of widthPx by heightPx from RGBA bytes (rows as NanoVG flags say).
  Bitmap(NVGcontext* vg, int widthPx, int heightPx, const uint8_t* rgba, float scale,
         float drawScale, int imageFlags = 0);
  ~Bitmap() override;
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  NVGLUframebuffer* GetFBO() const { return mFBO; }

private:
  Bitmap(IGraphicsNanoVG* graphics, NVGcontext* vg, NVGLUframebuffer* fb, int widthPx, int heightPx,
         float scale, float drawScale);

  IGraphicsNanoVG* mGraphics = nullptr;
  NVGcontext* mVG = nullptr;
  NVGLUframebuffer* mFBO = nullptr;
  bool mSharedTexture = false;
};

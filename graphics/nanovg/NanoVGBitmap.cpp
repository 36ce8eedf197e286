#include "NanoVGBitmap.h"

#include "NanoVGGL.h"

namespace {

int ImageWidth(NVGcontext* vg, int image) {
  int w = 0, h = 0;
  if (vg && image) nvgImageSize(vg, image, &w, &h);
  return w;
}

int ImageHeight(NVGcontext* vg, int image) {
  int w = 0, h = 0;
  if (vg && image) nvgImageSize(vg, image, &w, &h);
  return h;
}

NVGLUframebuffer* MakeClearedFramebuffer(NVGcontext* vg, int widthPx, int heightPx) {
  if (!vg || widthPx <= 0 || heightPx <= 0) return nullptr;
  NVGLUframebuffer* fb = nvgluCreateFramebuffer(vg, widthPx, heightPx, 0);
  if (!fb) return nullptr;
  // Whatever was bound stays bound afterwards: a frame begun later takes the bound
  // framebuffer for the view's own.
  GLint previousFBO = 0;
  GLint previousViewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previousFBO);
  glGetIntegerv(GL_VIEWPORT, previousViewport);
  nvgluBindFramebuffer(fb);
  glViewport(0, 0, widthPx, heightPx);
  glClearColor(0.f, 0.f, 0.f, 0.f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  nvgBeginFrame(vg, static_cast<float>(widthPx), static_cast<float>(heightPx), 1.f);
  nvgEndFrame(vg);
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFBO));
  glViewport(previousViewport[0], previousViewport[1], previousViewport[2], previousViewport[3]);
  return fb;
}

} // namespace

IGraphicsNanoVG::Bitmap::Bitmap(NVGcontext* vg, int image, float scale, bool shared)
    : APIBitmap(image, ImageWidth(vg, image), ImageHeight(vg, image), scale, 1.f), mVG(vg),
      mSharedTexture(shared) {}

IGraphicsNanoVG::Bitmap::Bitmap(IGraphicsNanoVG* graphics, NVGcontext* vg, int widthPx,
                                int heightPx, float scale, float drawScale)
    : Bitmap(graphics, vg, MakeClearedFramebuffer(vg, widthPx, heightPx), widthPx, heightPx, scale,
             drawScale) {}

IGraphicsNanoVG::Bitmap::Bitmap(IGraphicsNanoVG* graphics, NVGcontext* vg, NVGLUframebuffer* fb,
                                int widthPx, int heightPx, float scale, float drawScale)
    : APIBitmap(fb ? fb->image : 0, widthPx, heightPx, scale, drawScale), mGraphics(graphics),
      mVG(vg), mFBO(fb) {}

IGraphicsNanoVG::Bitmap::Bitmap(NVGcontext* vg, int widthPx, int heightPx, const uint8_t* rgba,
                                float scale, float drawScale, int imageFlags)
    : APIBitmap(vg && rgba && widthPx > 0 && heightPx > 0
                    ? nvgCreateImageRGBA(vg, widthPx, heightPx, imageFlags, rgba)
                    : 0,
                widthPx, heightPx, scale, drawScale),
      mVG(vg) {}

IGraphicsNanoVG::Bitmap::~Bitmap() {
  if (mSharedTexture) return;
  if (mFBO) {
    if (mGraphics)
      mGraphics->ReleaseFramebuffer(mFBO);
    else
      nvgluDeleteFramebuffer(mFBO);
  } else if (mVG && Handle()) {
    nvgDeleteImage(mVG, Handle());
  }
}

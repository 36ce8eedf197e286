#include "IGraphicsNanoVG.h"

#include "LayerShadowMask.h"
#include "NanoVGBitmap.h"
#include "NanoVGConvert.h"

#include <algorithm>
#include <cmath>

ILayerPtr IGraphicsNanoVG::MakeLayer(const IRECT& bounds) {
  const float scale = BackingPixelScale();
  const int w = static_cast<int>(std::ceil(bounds.W() * scale));
  const int h = static_cast<int>(std::ceil(bounds.H() * scale));
  return std::make_unique<IDrawLayer>(CreateRenderTargetBitmap(w, h, ScreenScale(), DrawScale()),
                                      bounds);
}

void IGraphicsNanoVG::PushLayer(IDrawLayer* layer) {
  if (!layer) return;
  mLayers.push_back(layer);
  BindCurrentLayerTarget();
}

IDrawLayer* IGraphicsNanoVG::PopLayer() {
  if (mLayers.empty()) return nullptr;
  IDrawLayer* layer = mLayers.back();
  mLayers.pop_back();
  BindCurrentLayerTarget();
  return layer;
}

void IGraphicsNanoVG::BindCurrentLayerTarget() {
  if (!mVG) return;
  nvgEndFrame(mVG);
  BeginCurrentTarget();
}

// A new NanoVG frame forgets transform and scissor; the context's own are put back, the
// clip only on the main surface, whose coordinates it is in.
void IGraphicsNanoVG::BeginCurrentTarget() {
  if (const IDrawLayer* layer = CurrentLayer()) {
    const IRECT& r = layer->Bounds();
    const auto* bitmap = static_cast<const Bitmap*>(layer->GetAPIBitmap());
    glViewport(0, 0, static_cast<int>(r.W() * BackingPixelScale()),
               static_cast<int>(r.H() * BackingPixelScale()));
    nvgluBindFramebuffer(bitmap ? bitmap->GetFBO() : nullptr);
    nvgBeginFrame(mVG, r.W() * DrawScale(), r.H() * DrawScale(), ScreenScale());
  } else {
    BeginMainFrame();
    if (GetClipRECT().W() > 0.f) {
      SetPathTransform(IMatrix());
      SetClipRect(GetClipRECT());
    }
  }
  SetPathTransform(GetTransform());
}

void IGraphicsNanoVG::DrawLayer(const IDrawLayer& layer, const IBlendMode* blend) {
  APIBitmap* bitmap = layer.GetAPIBitmap();
  if (!bitmap) return;
  DrawBitmapRegion(IBitmapHandle(bitmap, 1, false, ""), layer.Bounds(), 0, 0, blend);
}

void IGraphicsNanoVG::ReadLayerPixels(IDrawLayer& layer, std::vector<uint8_t>& buffer) {
  const APIBitmap* bitmap = layer.GetAPIBitmap();
  if (!mVG || !bitmap || bitmap->Width() <= 0 || bitmap->Height() <= 0) return;
  const size_t size = static_cast<size_t>(bitmap->Width()) * bitmap->Height() * 4;
  buffer.resize(size);
  if (buffer.size() < size) return;
  PushLayer(&layer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, bitmap->Width(), bitmap->Height(), GL_RGBA, GL_UNSIGNED_BYTE, buffer.data());
  PopLayer();
}

void IGraphicsNanoVG::CompositeLayerShadow(IDrawLayer& layer, const std::vector<uint8_t>& mask,
                                           const IShadowSpec& shadow) {
  const APIBitmap* pBitmap = layer.GetAPIBitmap();
  if (!mVG || !pBitmap) return;
  const int w = pBitmap->Width();
  const int h = pBitmap->Height();
  if (w <= 0 || h <= 0 || mask.size() < static_cast<size_t>(w) * h * 4) return;
  const IRECT bounds = layer.Bounds();

  PathTransformSave();
  PathTransformReset();
  if (!shadow.mDrawForeground) {
    PushLayer(&layer);
    nvgGlobalCompositeBlendFunc(mVG, NVG_ZERO, NVG_ZERO);
    nvgBeginPath(mVG);
    nvgRect(mVG, bounds.L, bounds.T, bounds.W(), bounds.H());
    nvgFillColor(mVG, NanoVGColor(COLOR_TRANSPARENT));
    nvgFill(mVG);
    PopLayer();
  }

  // The mask holds the layer's rows bottom-up, as they were read back.
  Bitmap maskBitmap(mVG, w, h, mask.data(), pBitmap->Scale(), pBitmap->DrawScale(),
                    NVG_IMAGE_FLIPY);
  IDrawLayer shadowLayer(CreateRenderTargetBitmap(w, h, pBitmap->Scale(), pBitmap->DrawScale()),
                         bounds);
  PushLayer(&layer);
  PushLayer(&shadowLayer);
  DrawBitmapRegion(IBitmapHandle(&maskBitmap, 1, false, ""), bounds, 0, 0, nullptr);
  nvgBeginPath(mVG);
  nvgRect(mVG, bounds.L, bounds.T, bounds.W(), bounds.H());
  PathTransformTranslate(-shadow.mXOffset, -shadow.mYOffset);
  const IBlendMode sourceIn(1, 1.f);
  FillPath(shadow.mPattern, IFillStyle(), &sourceIn);
  PopLayer();
  PathTransformReset();
  const IBlendMode destinationOver(4, std::clamp(shadow.mOpacity, 0.f, 1.f));
  DrawBitmapRegion(IBitmapHandle(shadowLayer.GetAPIBitmap(), 1, false, ""),
                   bounds.GetTranslated(shadow.mXOffset, shadow.mYOffset), 0, 0, &destinationOver);
  PopLayer();
  PathTransformRestore();
}

void IGraphicsNanoVG::ApplyLayerDropShadow(IDrawLayer& layer, const IShadowSpec& shadow) {
  std::vector<uint8_t> pixels;
  ReadLayerPixels(layer, pixels);
  const APIBitmap* bitmap = layer.GetAPIBitmap();
  if (pixels.empty() || !bitmap) return;
  const int radius = static_cast<int>(std::round(shadow.mBlurSize * BackingPixelScale()));
  const std::vector<uint8_t> mask = MakeLayerShadowMask(pixels, bitmap->Width(), bitmap->Height(),
                                                        LayerAlphaChannelIndex(), radius);
  CompositeLayerShadow(layer, mask, shadow);
}

#pragma once

#include "BitmapCache.h"
#include "FramebufferReleaseQueue.h"
#include "IDrawLayer.h"
#include "IGraphics.h"
#include "IShadowSpec.h"
#include "ResourceLookup.h"

#include <cstdint>
#include <vector>

class PlatformFont;
struct NVGcontext;
struct NVGLUframebuffer;

// The drawing backend: every control is drawn by NanoVG's OpenGL 2 renderer into one
// off-screen framebuffer sized in device pixels, which is presented at the end of each frame
// into the framebuffer the editor view had bound. All calls run on the user-interface thread
// with the view's GL context current.
class IGraphicsNanoVG : public IGraphics {
public:
  class Bitmap;

  IGraphicsNanoVG(IGEditorDelegate& dlg, int w, int h, int fps = 60, float scale = 1.f);
  ~IGraphicsNanoVG() override;

  // Frames
  void BeginFrame() override;
  void EndFrame() override;
  bool InFrame() const { return mInFrame; }
  size_t PendingFramebufferReleases() { return mFramebufferReleaseQueue.Size(); }

  // Drawing surface: the platform creates the context once its GL context is current.
  void CreateDrawContext(void* layer = nullptr);
  void DestroyDrawContext();
  void ResizeDrawSurface() override;
  // Around every image creation; hosts whose GL context may not be current override them.
  virtual void MakeContextCurrent() {}
  virtual void ReleaseContextCurrent() {}
  void* DrawContextHandle() const { return mVG; }
  const char* DrawingBackendName() const { return "NanoVG | GL2"; }

  // Bitmaps
  void DrawBitmapRegion(const IBitmapHandle& bitmap, const IRECT& dest, int srcX, int srcY,
                        const IBlendMode* blend) override;
  bool SupportsImageExtension(const char* extension) const override;
  // This context's own cache replaces the process-wide one; a bitmap of another density is
  // drawn magnified or reduced, never rescaled.
  IBitmapHandle LoadBitmapResource(const char* name, int frames = 1,
                                   bool framesAreHorizontal = false, int targetScale = 0) override {
    return LoadBitmapAtScale(name, frames, framesAreHorizontal, targetScale);
  }
  IBitmapHandle LoadBitmapAtScale(const char* name, int frames = 1,
                                  bool framesAreHorizontal = false, int targetScale = 0);
  APIBitmap* CreateBackendBitmapFromFile(const char* path, int scale, EResourceLocation location,
                                         const char* extension) override;
  APIBitmap* CreateBackendBitmapFromData(const char* name, const void* bytes, int count, int scale);
  std::unique_ptr<APIBitmap> CreateRenderTargetBitmap(int widthPx, int heightPx, float scale,
                                                      float drawScale);
  size_t CachedBitmapCount() { return mBitmapCache.Size(); }

  // Paths
  void ClearPath() override;
  void ClosePath() override;
  void AddArc(int winding, float cx, float cy, float r, float angle1, float angle2) override;
  void MoveTo(float x, float y) override;
  void LineTo(float x, float y) override;
  void SetPathWinding(bool clockwise);
  void CubicTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2);
  void QuadTo(float cx, float cy, float x2, float y2);
  void StrokePath(const IFillPattern& pattern, float thickness, const IStrokeStyle& style,
                  const IBlendMode* blend) override;
  void FillPath(const IFillPattern& pattern, const IFillStyle& style,
                const IBlendMode* blend) override;
  void SetPathTransform(const IMatrix& matrix) override;
  void SetClipRect(const IRECT& r) override;
  void DrawDashedLine(const IColor& color, float x1, float y1, float x2, float y2,
                      const IBlendMode* blend, float thickness, float dashLen);
  void DrawDashedRect(const IColor& color, const IRECT& r, const IBlendMode* blend, float thickness,
                      float dashLen);
  void DrawBoxShadow(const IRECT& inner, const IRECT& outer, float drop, float roundness,
                     float blur, const IBlendMode* blend);

  // Layers: drawing goes into the top layer of the stack, or the main surface when empty.
  // A layer's bounds are in UI units; its bitmap covers them at the backing scale.
  ILayerPtr MakeLayer(const IRECT& bounds);
  void PushLayer(IDrawLayer* layer);
  IDrawLayer* PopLayer();
  IDrawLayer* CurrentLayer() const { return mLayers.empty() ? nullptr : mLayers.back(); }
  void DrawLayer(const IDrawLayer& layer, const IBlendMode* blend = nullptr);
  // Gives the layer a blurred drop shadow behind (or instead of) its content.
  void ApplyLayerDropShadow(IDrawLayer& layer, const IShadowSpec& shadow);
  void BindCurrentLayerTarget();
  void ReadLayerPixels(IDrawLayer& layer, std::vector<uint8_t>& buffer);
  void CompositeLayerShadow(IDrawLayer& layer, const std::vector<uint8_t>& mask,
                            const IShadowSpec& shadow);
  int LayerAlphaChannelIndex() const { return 3; }
  bool LayerRowsBottomUp() const { return true; }

  // Text
  bool RegisterFontWithBackend(const char* fontID, const PlatformFont& font) override;
  float MeasureTextBounds(const IText& text, const char* str, IRECT& bounds) override;
  void RenderText(const IText& text, const char* str, const IRECT& bounds,
                  const IBlendMode* blend) override;

private:
  // Hands a render target's framebuffer back: deleted now, or at the end of the frame that
  // may still sample it.
  void ReleaseFramebuffer(NVGLUframebuffer* fb);
  void BeginMainFrame();
  // Fills the window where it is larger than the picture.
  void ClearSurround();
  // Binds the top layer's framebuffer, or the main one, and begins a NanoVG frame on it.
  void BeginCurrentTarget();
  void PrepareText(const IText& text, const char* str, IRECT& r, float& x, float& y);
  // The translation that keeps text turned by angle about the centre of r in place.
  static void TextRotationTranslation(const IRECT& r, float angleDegrees, float& tx, float& ty);
  void ApplyTextRotationToBounds(const IText& text, IRECT& r) const;
  void TeardownControls();
  void DeleteDrawSurface();

  bool mInFrame = false;
  FramebufferReleaseQueue mFramebufferReleaseQueue;
  BitmapCache mBitmapCache;
  NVGcontext* mVG = nullptr;
  NVGLUframebuffer* mMainFrameBuffer = nullptr;
  int mInitialFBO = 0;
  std::vector<IDrawLayer*> mLayers;
};

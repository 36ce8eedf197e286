#include "IGraphicsNanoVG.h"

#include "NanoVGBitmap.h"
#include "NanoVGConvert.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <string>

void IGraphicsNanoVG::DrawBitmapRegion(const IBitmapHandle& bitmap, const IRECT& dest, int srcX,
                                       int srcY, const IBlendMode* blend) {
  const APIBitmap* b = bitmap.GetAPIBitmap();
  // An image that failed to decode has no handle; NanoVG would fill it in plain white.
  if (!mVG || !b || !b->Handle()) return;
  const float s = b->Scale();
  const float ds = b->DrawScale();
  if (!(s * ds > 0.f)) return;
  NVGpaint paint;
  std::memset(&paint, 0, sizeof(paint));
  const float inv = 1.f / (s * ds);
  nvgTransformScale(paint.xform, inv, inv);
  paint.xform[4] = dest.L - static_cast<float>(srcX);
  paint.xform[5] = dest.T - static_cast<float>(srcY);
  paint.extent[0] = static_cast<float>(bitmap.W()) * s;
  paint.extent[1] = static_cast<float>(bitmap.H()) * s;
  paint.innerColor = paint.outerColor = nvgRGBAf(1.f, 1.f, 1.f, BlendWeight(blend));
  paint.image = b->Handle();
  nvgBeginPath(mVG);
  nvgRect(mVG, dest.L, dest.T, dest.W(), dest.H());
  nvgFillPaint(mVG, paint);
  NanoVGSetBlendMode(mVG, blend);
  nvgFill(mVG);
  nvgGlobalCompositeOperation(mVG, NVG_SOURCE_OVER);
  nvgBeginPath(mVG);
}

bool IGraphicsNanoVG::SupportsImageExtension(const char* extension) const {
  if (!extension) return false;
  char lower[32];
  const size_t n = std::min(std::strlen(extension), sizeof(lower) - 1);
  for (size_t i = 0; i < n; ++i)
    lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(extension[i])));
  lower[n] = '\0';
  return std::strstr(lower, "png") || std::strstr(lower, "jpg") || std::strstr(lower, "jpeg");
}

IBitmapHandle IGraphicsNanoVG::LoadBitmapAtScale(const char* name, int frames,
                                                 bool framesAreHorizontal, int targetScale) {
  if (!name || !*name) return IBitmapHandle();
  if (targetScale == 0) targetScale = static_cast<int>(std::ceil(ScreenScale()));
  std::lock_guard<std::mutex> lock(mBitmapCache.Mutex());
  APIBitmap* bitmap = mBitmapCache.Find(name, targetScale);
  if (!bitmap) {
    const char* dot = std::strrchr(name, '.');
    const char* extension = dot ? dot + 1 : name;
    std::string path;
    int sourceScale = 1;
    const EResourceLocation location = FindImageResource(
        name, path, targetScale, sourceScale, BundleIdentifier(), GetSharedResourcesSubPath());
    if (location == kNotFound || !SupportsImageExtension(extension)) return IBitmapHandle();
    // Another density of the same name may already be cached; it is not decoded twice.
    bitmap = mBitmapCache.Find(name, sourceScale);
    if (!bitmap) {
      APIBitmap* loaded =
          CreateBackendBitmapFromFile(path.c_str(), sourceScale, location, extension);
      bitmap = mBitmapCache.Add(name, sourceScale, std::unique_ptr<APIBitmap>(loaded));
    }
  }
  return IBitmapHandle(bitmap, frames, framesAreHorizontal, name);
}

APIBitmap* IGraphicsNanoVG::CreateBackendBitmapFromFile(const char* path, int scale,
                                                        EResourceLocation location, const char*) {
  int image = 0;
  if (location == kFilePath && mVG && path) {
    MakeContextCurrent();
    image = nvgCreateImage(mVG, path, 0);
    ReleaseContextCurrent();
  }
  return new Bitmap(mVG, image, static_cast<float>(scale), location == kPreloadedTexture);
}

APIBitmap* IGraphicsNanoVG::CreateBackendBitmapFromData(const char* name, const void* bytes,
                                                        int count, int scale) {
  const std::string key = name ? name : "";
  std::lock_guard<std::mutex> lock(mBitmapCache.Mutex());
  if (APIBitmap* cached = mBitmapCache.Find(key, scale)) return cached;
  int image = 0;
  if (mVG && bytes && count > 0) {
    MakeContextCurrent();
    image = nvgCreateImageMem(mVG, 0, static_cast<const unsigned char*>(bytes), count);
    ReleaseContextCurrent();
  }
  return mBitmapCache.Add(key, scale,
                          std::make_unique<Bitmap>(mVG, image, static_cast<float>(scale), false));
}

std::unique_ptr<APIBitmap> IGraphicsNanoVG::CreateRenderTargetBitmap(int widthPx, int heightPx,
                                                                     float scale, float drawScale) {
  if (mInFrame && mVG) nvgEndFrame(mVG);
  auto bitmap = std::make_unique<Bitmap>(this, mVG, widthPx, heightPx, scale, drawScale);
  if (mInFrame && mVG) BeginCurrentTarget();
  return bitmap;
}

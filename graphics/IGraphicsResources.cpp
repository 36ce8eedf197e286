#include "IGraphics.h"

#include "FileAccess.h"
#include "FontLoading.h"
#include "PlatformFontCache.h"
#include "ResourcePaths.h"
#include "SharedBitmapCache.h"
#include "SvgCache.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Larger than any editor resource; a bigger file is not read rather than exhausting memory.
constexpr size_t kMaxResourceBytes = 256 * 1024 * 1024;

// Beyond any image a backend can hold; a rescaled copy that large is not attempted.
constexpr double kMaxScaledSide = 65536.0;

// The text after the last "."; "" when there is none.
const char* ExtensionOf(const char* name) {
  const char* dot = std::strrchr(name, '.');
  return dot ? dot + 1 : "";
}

// The screen's density for target 0; never below 1, since densities count from 1.
int ResolveTargetScale(int targetScale, float screenScale) {
  if (targetScale > 0) return targetScale;
  const float density = std::ceil(screenScale);
  return density >= 1.f && density < 1000.f ? static_cast<int>(density) : 1;
}

} // namespace

IBitmapHandle IGraphics::LoadBitmapResource(const char* name, int frames, bool framesAreHorizontal,
                                            int targetScale) {
  if (!name || !*name) return IBitmapHandle();
  targetScale = ResolveTargetScale(targetScale, ScreenScale());
  auto& cache = SharedBitmapCache();
  std::lock_guard<std::mutex> lock(cache.Mutex());
  const auto handle = [&](APIBitmap* bitmap) {
    return IBitmapHandle(bitmap, frames, framesAreHorizontal, name);
  };

  if (APIBitmap* cached = cache.Find(name, targetScale)) return handle(cached);
  const char* extension = ExtensionOf(name);
  if (!SupportsImageExtension(extension)) return IBitmapHandle();

  std::string path;
  int sourceScale = 0;
  APIBitmap* source = nullptr;
  std::unique_ptr<APIBitmap> decoded;
  const EResourceLocation location = ::FindImageResource(
      name, path, targetScale, sourceScale, BundleIdentifier(), GetSharedResourcesSubPath());
  if (location != kNotFound) {
    source = cache.Find(name, sourceScale);
    if (!source) {
      decoded.reset(CreateBackendBitmapFromFile(path.c_str(), sourceScale, location, extension));
      source = decoded.get();
    }
  } else {
    // Gone from disk since another density was loaded: that one still serves.
    for (int density : DensitySearchOrder(targetScale))
      if ((source = cache.Find(name, density))) break;
  }
  if (!source) return IBitmapHandle();

  if (source->Scale() != static_cast<float>(targetScale) && source->Scale() > 0.f) {
    // The point size pixel-aligned outwards at the target density.
    const double ratio = static_cast<double>(targetScale) / source->Scale();
    const double widthPx = std::ceil(source->Width() * ratio);
    const double heightPx = std::ceil(source->Height() * ratio);
    if (widthPx <= kMaxScaledSide && heightPx <= kMaxScaledSide) {
      if (auto scaled = ScaleBitmap(*source, static_cast<int>(widthPx), static_cast<int>(heightPx),
                                    targetScale))
        return handle(cache.Add(name, targetScale, std::move(scaled)));
    }
  }
  // Without a copy at the target density the bitmap serves at its own, which draws at the
  // same size in points.
  if (decoded) source = cache.Add(name, sourceScale, std::move(decoded));
  return handle(source);
}

IBitmapHandle IGraphics::BitmapAtScale(const IBitmapHandle& bitmap) {
  return LoadBitmapResource(bitmap.GetResourceName().c_str(), bitmap.N(),
                            bitmap.GetFramesAreHorizontal(), ResolveTargetScale(0, ScreenScale()));
}

IBitmapHandle IGraphics::CacheBitmap(std::unique_ptr<APIBitmap> bitmap, const char* name,
                                     int frames, bool framesAreHorizontal) {
  if (!bitmap || !name) return IBitmapHandle();
  auto& cache = SharedBitmapCache();
  std::lock_guard<std::mutex> lock(cache.Mutex());
  const double scale = bitmap->Scale();
  return IBitmapHandle(cache.Add(name, scale, std::move(bitmap)), frames, framesAreHorizontal,
                       name);
}

void IGraphics::UncacheBitmap(const IBitmapHandle& bitmap) {
  if (!bitmap.IsValid()) return;
  auto& cache = SharedBitmapCache();
  std::lock_guard<std::mutex> lock(cache.Mutex());
  cache.Remove(bitmap.GetAPIBitmap());
}

std::vector<uint8_t> IGraphics::ReadResource(const char* name, const char* type) const {
  std::vector<uint8_t> bytes;
  std::string path;
  if (name && type &&
      FindResourceFile(name, type, BundleIdentifier(), GetSharedResourcesSubPath(), path))
    ReadFileBytes(path, kMaxResourceBytes, bytes);
  return bytes;
}

bool IGraphics::LoadFontResource(const char* fontID, const char* fileName) {
  if (!fontID || !*fontID || !fileName) return false;
  const PlatformFontPtr font =
      LoadFontFromFile(fontID, fileName, BundleIdentifier(), GetSharedResourcesSubPath());
  if (!font) return false;
  const bool accepted = RegisterFontWithBackend(fontID, *font);
  if (accepted) StoreFontDescriptor(fontID, *font);
  return accepted;
}

ISVG IGraphics::LoadSvgResource(const char* fileName, const char* units, float dpi) {
  if (!fileName || !*fileName) return ISVG();
  auto& cache = SvgCache();
  std::lock_guard<std::mutex> lock(cache.Mutex());
  if (const SvgDocument* cached = cache.Find(fileName, 1.0)) return ISVG(cached);
  // A file that does not parse is not cached, so that a corrected file loads next time.
  std::unique_ptr<SvgDocument> document =
      SvgDocument::Parse(ReadResource(fileName, "svg"), units, dpi);
  if (!document) return ISVG();
  return ISVG(cache.Add(fileName, 1.0, std::move(document)));
}

APIBitmap* IGraphics::CreateBackendBitmapFromFile(const char*, int, EResourceLocation,
                                                  const char*) {
  return nullptr;
}

std::unique_ptr<APIBitmap> IGraphics::ScaleBitmap(const APIBitmap&, int, int, int) {
  return nullptr;
}

bool IGraphics::RegisterFontWithBackend(const char*, const PlatformFont&) {
  return false;
}

void IGraphics::StoreFontDescriptor(const char* fontID, const PlatformFont& font) {
  PlatformFontCache::Instance().StoreFontDescriptor(fontID, font);
}

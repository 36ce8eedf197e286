#include "SharedCachesReference.h"

#include "SharedBitmapCache.h"
#include "SvgCache.h"

SharedCachesReference::SharedCachesReference() {
  auto& bitmaps = SharedBitmapCache();
  auto& svgs = SvgCache();
  std::lock_guard<std::mutex> bitmapLock(bitmaps.Mutex());
  std::lock_guard<std::mutex> svgLock(svgs.Mutex());
  bitmaps.Retain();
  svgs.Retain();
}

SharedCachesReference::~SharedCachesReference() {
  auto& bitmaps = SharedBitmapCache();
  auto& svgs = SvgCache();
  std::lock_guard<std::mutex> bitmapLock(bitmaps.Mutex());
  std::lock_guard<std::mutex> svgLock(svgs.Mutex());
  bitmaps.Release();
  svgs.Release();
}

#include "FontDataCache.h"

#include "ProcessWide.h"

FontDataCache& FontDataCache::Instance() {
  return ProcessWide<FontDataCache>::Get();
}

void FontDataCache::Retain() {
  std::lock_guard<std::mutex> lock(Mutex());
  mCache.Retain();
}

void FontDataCache::Release() {
  std::lock_guard<std::mutex> lock(Mutex());
  mCache.Release();
}

int FontDataCache::RefCount() {
  std::lock_guard<std::mutex> lock(Mutex());
  return mCache.RefCount();
}

size_t FontDataCache::Size() {
  std::lock_guard<std::mutex> lock(Mutex());
  return mCache.Size();
}

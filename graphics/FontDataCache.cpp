#include "FontDataCache.h"

#include "BitmapCache.h"
#include "ProcessWide.h"

FontDataCache& FontDataCache::Instance() {
  return ProcessWide<FontDataCache>::Get();
}

void FontDataCache::Retain() {
  std::lock_guard<std::mutex> lock(mMutex);
  ++mRefCount;
}

void FontDataCache::Release() {
  std::lock_guard<std::mutex> lock(mMutex);
  if (mRefCount > 0 && --mRefCount == 0) mEntries.clear();
}

int FontDataCache::RefCount() {
  std::lock_guard<std::mutex> lock(mMutex);
  return mRefCount;
}

bool FontDataCache::Unreferenced() {
  return RefCount() == 0;
}

size_t FontDataCache::Size() {
  std::lock_guard<std::mutex> lock(mMutex);
  return mEntries.size();
}

FontFaceData* FontDataCache::FindLocked(const std::string& fontID) const {
  const size_t hash = BitmapCache::KeyHash(fontID, kScale);
  for (const Entry& e : mEntries)
    if (e.keyHash == hash && e.scale == kScale && e.fontID == fontID) return e.data.get();
  return nullptr;
}

void FontDataCache::AddLocked(const std::string& fontID, std::unique_ptr<FontFaceData> data) {
  mEntries.push_back({BitmapCache::KeyHash(fontID, kScale), fontID, kScale, std::move(data)});
}

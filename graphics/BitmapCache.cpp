#include "BitmapCache.h"

#include <cstdio>
#include <functional>

size_t BitmapCache::KeyHash(const std::string& name, double scale) {
  char suffix[32];
  std::snprintf(suffix, sizeof(suffix), "-%.1fx", scale);
  return std::hash<std::string>()(name + suffix);
}

APIBitmap* BitmapCache::Find(const std::string& name, double scale) const {
  const size_t hash = KeyHash(name, scale);
  for (const Entry& e : mEntries)
    if (e.keyHash == hash && e.scale == scale && e.name == name) return e.bitmap.get();
  return nullptr;
}

APIBitmap* BitmapCache::Add(const std::string& name, double scale,
                            std::unique_ptr<APIBitmap> bitmap) {
  mEntries.push_back({KeyHash(name, scale), name, scale, std::move(bitmap)});
  return mEntries.back().bitmap.get();
}

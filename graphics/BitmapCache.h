#pragma once

#include "IBitmap.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// One graphics context's decoded images by resource name and scale; owns them. The caller
// holds Mutex() around every use.
class BitmapCache {
public:
  std::mutex& Mutex() { return mMutex; }

  // The bitmap cached for (name, scale), or null.
  APIBitmap* Find(const std::string& name, double scale) const;
  APIBitmap* Add(const std::string& name, double scale, std::unique_ptr<APIBitmap> bitmap);
  void Clear() { mEntries.clear(); }
  size_t Size() const { return mEntries.size(); }

  // The hashed key text: the name followed by the scale printed with "-%.1fx".
  static size_t KeyHash(const std::string& name, double scale);

private:
  struct Entry {
    size_t keyHash;
    std::string name;
    double scale;
    std::unique_ptr<APIBitmap> bitmap;
  };

  std::mutex mMutex;
  std::vector<Entry> mEntries;
};

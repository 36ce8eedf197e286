#pragma once

#include "FontFaceData.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The process-wide store of font bytes that NanoVG draws with. NanoVG is told not to free
// them, so they stay here for as long as any drawing backend exists: every backend holds a
// reference, and the last release deletes all data. One mutex guards entries and count.
class FontDataCache {
public:
  static FontDataCache& Instance();

  void Retain();
  void Release();
  int RefCount();
  bool Unreferenced();
  size_t Size();

  std::mutex& Mutex() { return mMutex; }
  // Under Mutex(): the data stored for fontID, or null; Add takes ownership.
  FontFaceData* FindLocked(const std::string& fontID) const;
  void AddLocked(const std::string& fontID, std::unique_ptr<FontFaceData> data);

private:
  struct Entry {
    size_t keyHash;
    std::string fontID;
    double scale;
    std::unique_ptr<FontFaceData> data;
  };

  // Font data is kept at scale 1 only; the scale is part of the key as for bitmaps.
  static constexpr double kScale = 1.0;

  std::mutex mMutex;
  std::vector<Entry> mEntries;
  int mRefCount = 0;
};

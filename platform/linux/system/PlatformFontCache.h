#pragma once

#include "FontDescriptor.h"
#include "KeyedCache.h"
#include "PlatformFont.h"

#include <cstddef>
#include <mutex>

// The process-wide record of every font the editors have loaded, for the in-editor text
// field. Several editors (plug-in instances) share it: the living graphics hosts keep it by
// reference count, and the last one to go empties it. Every public call takes the mutex.
class PlatformFontCache {
public:
  struct Record {
    FontDescriptor descriptor;
    double sizeRatio = 1.0; // unitsPerEm / (ascender − descender)
  };

  static PlatformFontCache& Instance();

  // Reference counting by the graphics hosts; the release that brings the count to 0
  // deletes every entry.
  void Retain();
  void Release();
  int RefCount();
  bool Unreferenced() { return mCache.Unreferenced(); }

  // Adds the font under fontID unless an entry exists, which is kept unchanged. False when
  // nothing was added, also for a font whose face has no usable vertical extent.
  bool StoreFontDescriptor(const char* fontID, const PlatformFont& font);

  // The record for fontID; false when there is none.
  bool Find(const char* fontID, Record& record);

  size_t Size();

  // For a host that must tear down while no font is being stored or looked up.
  std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(mCache.Mutex()); }

private:
  // Fonts are cached at scale 1 only; the scale is part of the key as for bitmaps.
  static constexpr double kScale = 1.0;

  KeyedCache<Record> mCache;
};

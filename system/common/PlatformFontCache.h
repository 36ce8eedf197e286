#pragma once

#include "FontDescriptor.h"
#include "KeyedCache.h"
#include "PlatformFont.h"

#include <cstddef>
#include <mutex>

struct PlatformFontCacheRecord {
  FontDescriptor descriptor;
  double sizeRatio = 1.0; // unitsPerEm / (ascender − descender)
};

// The process-wide record of every font the editors have loaded, for the in-editor text
// field. Several editors (plug-in instances) share it: the living graphics hosts keep it by
// reference count, and the last one to go empties it. Every public call takes the mutex.
class PlatformFontCache : public SelfLockingKeyedCache<PlatformFontCacheRecord> {
public:
  using Record = PlatformFontCacheRecord;

  static PlatformFontCache& Instance();

  // Adds the font under fontID unless an entry exists, which is kept unchanged. False when
  // nothing was added, also for a font whose face has no usable vertical extent.
  bool StoreFontDescriptor(const char* fontID, const PlatformFont& font);

  // The record for fontID; false when there is none.
  bool Find(const char* fontID, Record& record);

  // For a host that must tear down while no font is being stored or looked up.
  std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(mCache.Mutex()); }
};

#pragma once

#include "FontFaceData.h"
#include "KeyedCache.h"

#include <memory>
#include <string>

// The process-wide store of font bytes that NanoVG draws with. NanoVG is told not to free
// them, so they stay here for as long as any drawing backend exists: every backend holds a
// reference, and the last release deletes all data.
class FontDataCache : public SelfLockingKeyedCache<FontFaceData> {
public:
  static FontDataCache& Instance();

  // Under Mutex(), so a font is looked up and stored in one step: the data stored for
  // fontID, or null; Add takes ownership.
  FontFaceData* FindLocked(const std::string& fontID) const { return mCache.Find(fontID, kScale); }
  void AddLocked(const std::string& fontID, std::unique_ptr<FontFaceData> data) {
    mCache.Add(fontID, kScale, std::move(data));
  }
};

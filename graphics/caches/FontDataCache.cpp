#include "FontDataCache.h"

#include "ProcessWide.h"

FontDataCache& FontDataCache::Instance() {
  return ProcessWide<FontDataCache>::Get();
}

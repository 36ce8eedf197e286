#include "SharedBitmapCache.h"

#include "ProcessWide.h"

StaticStorage<APIBitmap>& SharedBitmapCache() {
  return ProcessWide<StaticStorage<APIBitmap>>::Get();
}

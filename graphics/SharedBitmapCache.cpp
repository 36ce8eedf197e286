#include "SharedBitmapCache.h"

StaticStorage<APIBitmap>& SharedBitmapCache() {
  static StaticStorage<APIBitmap> cache;
  return cache;
}

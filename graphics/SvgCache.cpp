#include "SvgCache.h"

StaticStorage<SvgDocument>& SvgCache() {
  static StaticStorage<SvgDocument> cache;
  return cache;
}

#include "SvgCache.h"

#include "ProcessWide.h"

StaticStorage<SvgDocument>& SvgCache() {
  return ProcessWide<StaticStorage<SvgDocument>>::Get();
}

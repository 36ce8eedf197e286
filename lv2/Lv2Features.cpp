#include "Lv2Features.h"

#include "IPlugInstance.h"

#include "lv2/atom/atom.h"
#include "lv2/buf-size/buf-size.h"
#include "lv2/options/options.h"

#include <cstring>

namespace {

// An integer option's value when it has one.
bool IntOption(const LV2_Options_Option& option, LV2_URID atomInt, int& value) {
  if (option.type != atomInt || option.size != sizeof(int32_t) || !option.value) return false;
  int32_t v = 0;
  std::memcpy(&v, option.value, sizeof(v));
  if (v < 1 || v > IPlugInstance::kMaxBlockSize) return false;
  value = v;
  return true;
}

} // namespace

Lv2Features Lv2Features::Read(const LV2_Feature* const* features) {
  Lv2Features result;
  const LV2_Options_Option* options = nullptr;
  for (const LV2_Feature* const* f = features; f && *f; ++f) {
    const LV2_Feature& feature = **f;
    if (!feature.URI || !feature.data) continue;
    if (std::strcmp(feature.URI, LV2_URID__map) == 0)
      result.map = static_cast<const LV2_URID_Map*>(feature.data);
    else if (std::strcmp(feature.URI, LV2_OPTIONS__options) == 0)
      options = static_cast<const LV2_Options_Option*>(feature.data);
  }
  // Options name their keys and types by URID: without a map they cannot be read.
  if (!options || !result.map || !result.map->map) return result;

  const LV2_URID atomInt = result.Map(LV2_ATOM__Int);
  const LV2_URID maxLength = result.Map(LV2_BUF_SIZE__maxBlockLength);
  const LV2_URID nominalLength = result.Map(LV2_BUF_SIZE__nominalBlockLength);
  int maxBlock = 0, nominalBlock = 0;
  for (const LV2_Options_Option* o = options; o->key != 0 || o->value != nullptr; ++o) {
    if (o->context != LV2_OPTIONS_INSTANCE) continue;
    if (o->key == maxLength)
      IntOption(*o, atomInt, maxBlock);
    else if (o->key == nominalLength)
      IntOption(*o, atomInt, nominalBlock);
  }
  if (maxBlock > 0)
    result.blockLength = maxBlock;
  else if (nominalBlock > 0)
    result.blockLength = nominalBlock;
  return result;
}

LV2_URID Lv2Features::Map(const char* uri) const {
  return map && map->map ? map->map(map->handle, uri) : 0;
}

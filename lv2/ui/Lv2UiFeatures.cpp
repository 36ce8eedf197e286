#include "Lv2UiFeatures.h"

#include "lv2/atom/atom.h"
#include "lv2/options/options.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Far beyond any screen's scale; the editor's sizes stay well inside an int.
constexpr float kMaxScale = 16.f;

float ScaleFactor(const LV2_Options_Option* options, const LV2_URID_Map& map) {
  const LV2_URID key = map.map(map.handle, LV2_UI__scaleFactor);
  const LV2_URID atomFloat = map.map(map.handle, LV2_ATOM__Float);
  for (const LV2_Options_Option* o = options; o->key != 0 || o->value != nullptr; ++o) {
    if (o->context != LV2_OPTIONS_INSTANCE || o->key != key) continue;
    if (o->type != atomFloat || o->size != sizeof(float) || !o->value) return 0.f;
    float scale = 0.f;
    std::memcpy(&scale, o->value, sizeof(scale));
    return std::isfinite(scale) && scale > 0.f && scale <= kMaxScale ? scale : 0.f;
  }
  return 0.f;
}

} // namespace

Lv2UiFeatures Lv2UiFeatures::Read(const LV2_Feature* const* features) {
  Lv2UiFeatures result;
  const LV2_Options_Option* options = nullptr;
  for (const LV2_Feature* const* f = features; f && *f; ++f) {
    const LV2_Feature& feature = **f;
    if (!feature.URI || !feature.data) continue;
    if (std::strcmp(feature.URI, LV2_UI__parent) == 0) {
      result.parent = static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(feature.data));
    } else if (std::strcmp(feature.URI, LV2_UI__resize) == 0) {
      const auto* resize = static_cast<const LV2UI_Resize*>(feature.data);
      if (resize->ui_resize) result.resize = resize;
    } else if (std::strcmp(feature.URI, LV2_UI__touch) == 0) {
      const auto* touch = static_cast<const LV2UI_Touch*>(feature.data);
      if (touch->touch) result.touch = touch;
    } else if (std::strcmp(feature.URI, LV2_URID__map) == 0) {
      const auto* map = static_cast<const LV2_URID_Map*>(feature.data);
      if (map->map) result.map = map;
    } else if (std::strcmp(feature.URI, LV2_OPTIONS__options) == 0) {
      options = static_cast<const LV2_Options_Option*>(feature.data);
    }
  }
  // Options name their keys and types by URID: without a map they cannot be read.
  if (options && result.map) result.scaleFactor = ScaleFactor(options, *result.map);
  return result;
}

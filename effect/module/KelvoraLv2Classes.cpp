#include "KelvoraLv2.h"
#include "KelvoraLv2Plugins.h"
#include "Lv2PluginClass.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::size_t kCount = std::size(kKelvoraLv2Plugins);

std::array<Lv2PluginClass, kCount> MakeClasses() {
  std::array<Lv2PluginClass, kCount> classes{};
  for (std::size_t i = 0; i < kCount; ++i)
    classes[i] =
        MakeLv2PluginClass(kKelvoraLv2Plugins[i].uri, kKelvoraLv2Plugins[i].channels,
                           kKelvoraLv2StateKey, kKelvoraLv2StateType, CreateKelvoraLv2Instance);
  return classes;
}

} // namespace

const Lv2PluginClass* Lv2PluginClassAt(uint32_t index) {
  static const std::array<Lv2PluginClass, kCount> classes = MakeClasses();
  return index < kCount ? &classes[index] : nullptr;
}

#include "Lv2PluginClass.h"

// The module's one entry point besides the editor's: the product's plug-ins in turn.
extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
  const Lv2PluginClass* pluginClass = Lv2PluginClassAt(index);
  return pluginClass ? &pluginClass->descriptor : nullptr;
}

#pragma once

#include "lv2/ui/ui.h"

#include <cstdint>

class IPlugLV2UI;
struct Lv2UiInstanceInfo;

// The module's editor: its descriptor, whose functions are the binding's, and what the binding
// needs to make an instance of it. The descriptor comes first, so that the pointer a host
// passes back to instantiate leads to the whole record.
struct Lv2UiClass {
  LV2UI_Descriptor descriptor;
  // The audio channels of the module's plug-in with this URI, 0 for one the editor does not
  // serve.
  int (*channelsOf)(const char* pluginUri);
  // A new editor-side instance, or null when it cannot be made.
  IPlugLV2UI* (*create)(const Lv2UiInstanceInfo& info);
};

// A class whose descriptor carries the binding's functions.
Lv2UiClass MakeLv2UiClass(const char* uri, int (*channelsOf)(const char*),
                          IPlugLV2UI* (*create)(const Lv2UiInstanceInfo&));

// The product's editors by index, null past the last; lv2ui_descriptor serves them. The
// product defines it beside its editor's factory.
const Lv2UiClass* Lv2UiClassAt(uint32_t index);

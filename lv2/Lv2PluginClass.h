#pragma once

#include "lv2/core/lv2.h"

class IPlugLV2;
struct Lv2PluginClass;

// What a host hands the binding when it makes an instance.
struct Lv2InstanceInfo {
  const Lv2PluginClass& pluginClass;
  double sampleRate;
  const LV2_Feature* const* features; // may be null
};

// One plug-in of a module: its descriptor, whose functions are the binding's, and what the
// binding needs to make and serve an instance of it. The descriptor comes first, so that the
// pointer a host passes back to instantiate leads to the whole record.
struct Lv2PluginClass {
  LV2_Descriptor descriptor;
  int channels;          // audio inputs, and as many outputs
  const char* stateKey;  // the URI of the one property the state interface saves
  const char* stateType; // the URI of that property's type
  // A new instance, or null when it cannot be made. Not called on the audio thread.
  IPlugLV2* (*create)(const Lv2InstanceInfo& info);
};

// A class whose descriptor carries the binding's functions.
Lv2PluginClass MakeLv2PluginClass(const char* uri, int channels, const char* stateKey,
                                  const char* stateType,
                                  IPlugLV2* (*create)(const Lv2InstanceInfo&));

// The product's plug-in classes by index, null past the last; lv2_descriptor serves them. The
// product defines it beside its instance factory.
const Lv2PluginClass* Lv2PluginClassAt(uint32_t index);

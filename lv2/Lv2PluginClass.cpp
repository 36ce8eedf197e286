#include "Lv2PluginClass.h"

#include "IPlugLV2.h"

#include "lv2/state/state.h"

#include <cstring>
#include <memory>

// The descriptor's functions: each finds the instance behind the host's handle and hands the
// call on. Nothing may throw into the host.
namespace {

IPlugLV2& Plug(LV2_Handle handle) {
  return *static_cast<IPlugLV2*>(handle);
}

LV2_Handle Instantiate(const LV2_Descriptor* descriptor, double sampleRate, const char*,
                       const LV2_Feature* const* features) {
  if (!descriptor) return nullptr;
  // The descriptor is the first member of its class record.
  const auto& pluginClass = *reinterpret_cast<const Lv2PluginClass*>(descriptor);
  try {
    std::unique_ptr<IPlugLV2> plug(
        pluginClass.create(Lv2InstanceInfo{pluginClass, sampleRate, features}));
    if (!plug || !plug->PrepareForHost()) return nullptr;
    return plug.release();
  } catch (...) {
    return nullptr;
  }
}

void ConnectPort(LV2_Handle handle, uint32_t port, void* data) {
  Plug(handle).ConnectPort(port, data);
}

void Activate(LV2_Handle handle) {
  Plug(handle).Activate();
}

void Run(LV2_Handle handle, uint32_t nFrames) {
  Plug(handle).Run(nFrames);
}

void Deactivate(LV2_Handle handle) {
  Plug(handle).Deactivate();
}

void Cleanup(LV2_Handle handle) {
  delete &Plug(handle);
}

LV2_State_Status SaveState(LV2_Handle handle, LV2_State_Store_Function store,
                           LV2_State_Handle state, uint32_t, const LV2_Feature* const*) {
  try {
    return Plug(handle).SaveState(store, state);
  } catch (...) {
    return LV2_STATE_ERR_UNKNOWN;
  }
}

LV2_State_Status RestoreState(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                              LV2_State_Handle state, uint32_t, const LV2_Feature* const*) {
  try {
    return Plug(handle).RestoreState(retrieve, state);
  } catch (...) {
    return LV2_STATE_ERR_UNKNOWN;
  }
}

const LV2_State_Interface kStateInterface = {SaveState, RestoreState};

const void* ExtensionData(const char* uri) {
  if (uri && std::strcmp(uri, LV2_STATE__interface) == 0) return &kStateInterface;
  return nullptr;
}

} // namespace

Lv2PluginClass MakeLv2PluginClass(const char* uri, int channels, const char* stateKey,
                                  const char* stateType,
                                  IPlugLV2* (*create)(const Lv2InstanceInfo&)) {
  return {{uri, Instantiate, ConnectPort, Activate, Run, Deactivate, Cleanup, ExtensionData},
          channels,
          stateKey,
          stateType,
          create};
}

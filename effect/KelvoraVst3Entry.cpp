#include "Kelvora.h"
#include "KelvoraConstruction.h"
#include "module/KelvoraCreate.h"

Steinberg::FUnknown* CreateKelvoraInstance(void*) {
  Kelvora* instance = ConstructKelvora<Kelvora>(InstanceInfo{});
  return instance ? static_cast<Steinberg::Vst::IAudioProcessor*>(instance) : nullptr;
}

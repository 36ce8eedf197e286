#include "Kelvora.h"
#include "module/KelvoraCreate.h"

#include <mutex>
#include <new>

// Instances are built one at a time: the framework's shared caches and the random device are
// set up during construction.
Steinberg::FUnknown* CreateKelvoraInstance(void*) {
  static std::mutex constructionMutex;
  std::lock_guard<std::mutex> lock(constructionMutex);
  try {
    auto* instance = new Kelvora(InstanceInfo{});
    return static_cast<Steinberg::Vst::IAudioProcessor*>(instance);
  } catch (...) {
    // The new-expression has already given the memory back; nothing may cross into the host.
    return nullptr;
  }
}

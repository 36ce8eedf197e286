#include "SharedFactory.h"

#include <mutex>

using namespace Steinberg;

IPluginFactory* SharedPluginFactory(FactoryBuilder build) {
  static std::mutex mutex;
  std::lock_guard<std::mutex> lock(mutex);
  if (gPluginFactory) {
    gPluginFactory->addRef();
    return gPluginFactory;
  }
  try {
    gPluginFactory = build();
  } catch (...) {
    // Nothing may cross into the host; a later request tries again.
    gPluginFactory = nullptr;
  }
  return gPluginFactory;
}

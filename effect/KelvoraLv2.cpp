#include "KelvoraLv2.h"

#include <mutex>

template class KelvoraEffect<IPlugLV2>;
template KelvoraEffect<IPlugLV2>::KelvoraEffect(const Lv2InstanceInfo&);

// Instances are built one at a time: the framework's shared caches and the random device are
// set up during construction.
IPlugLV2* CreateKelvoraLv2Instance(const Lv2InstanceInfo& info) {
  static std::mutex constructionMutex;
  std::lock_guard<std::mutex> lock(constructionMutex);
  try {
    return new KelvoraLv2(info);
  } catch (...) {
    return nullptr;
  }
}

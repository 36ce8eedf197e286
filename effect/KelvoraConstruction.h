#pragma once

#include <mutex>

// Instances of the effect are built one at a time, whichever binding asks and on whichever
// thread: the framework's shared caches and the random device are set up during
// construction. One lock serves every binding, since a module may hold several (the LV2
// module makes DSP and editor instances, possibly at once from two host threads).
std::mutex& KelvoraConstructionMutex();

// A new instance built under that lock, or null when construction throws: nothing may cross
// into the host.
template <class Instance, class Info> Instance* ConstructKelvora(const Info& info) {
  std::lock_guard<std::mutex> lock(KelvoraConstructionMutex());
  try {
    return new Instance(info);
  } catch (...) {
    return nullptr;
  }
}

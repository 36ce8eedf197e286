#pragma once

#include <atomic>

// The one object of type T that every editor of the process shares (the caches editors hold
// by reference count). It is made on first use and is not destroyed with the module's other
// statics: a host may close an editor from its own static destructors at exit, after ours
// have run, and that editor still gives its reference back. The object goes only when the
// module is unloaded or the process ends while no editor holds it (T::Unreferenced()); a
// later use makes a fresh one.
template <class T> class ProcessWide {
public:
  static T& Get() {
    // Naming the sweep makes every instantiation register it.
    (void)&sSweep;
    Lock lock;
    if (!sObject) sObject = new T;
    return *sObject;
  }

  ProcessWide(const ProcessWide&) = delete;
  ProcessWide& operator=(const ProcessWide&) = delete;

private:
  // Plain flag and pointer: both are set up before any code runs and never torn down, so
  // they stay usable from any destructor.
  class Lock {
  public:
    Lock() {
      while (sBusy.test_and_set(std::memory_order_acquire)) {
      }
    }
    ~Lock() { sBusy.clear(std::memory_order_release); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
  };

  // Registered when the module is loaded, so it runs after the statics made later, at
  // dlclose or at exit.
  struct Sweep {
    ~Sweep() {
      Lock lock;
      if (sObject && sObject->Unreferenced()) {
        delete sObject;
        sObject = nullptr;
      }
    }
  };

  ProcessWide() = default;

  static inline std::atomic_flag sBusy = ATOMIC_FLAG_INIT;
  static inline T* sObject = nullptr;
  static inline Sweep sSweep;
};

#pragma once

#include "Vst3Module.h"

// The built Kelvora bundle, loaded once for the whole program.
inline Vst3Module& KelvoraModule() {
  static Vst3Module module(KELVORA_BUNDLE);
  return module;
}

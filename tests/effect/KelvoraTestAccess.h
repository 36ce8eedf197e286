#pragma once

#include "ChainTestAccess.h"
#include "Kelvora.h"

// Reaches the chain inside the effect, whose state ChainTestAccess then reads.
struct KelvoraTestAccess {
  static const SaturationChain& Chain(const Kelvora& k) { return k.chain; }
};

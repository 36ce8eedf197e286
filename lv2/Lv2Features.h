#pragma once

#include "lv2/core/lv2.h"
#include "lv2/urid/urid.h"

#include <cstdint>

// What an instance takes from the features a host passes to instantiate. Every feature is
// optional: hosts such as lv2apply pass none, lv2bench only the URID map.
struct Lv2Features {
  // Blocks are prepared for this many frames when the host names no length.
  static constexpr int kDefaultBlockLength = 4096;

  const LV2_URID_Map* map = nullptr;
  // The longest block the host announced (bufsz:maxBlockLength), else its usual one
  // (bufsz:nominalBlockLength), else kDefaultBlockLength; longer blocks are served in pieces.
  int blockLength = kDefaultBlockLength;

  // Nothing that comes in a feature is trusted: unknown, null or ill-typed entries are passed
  // over. Null features are none.
  static Lv2Features Read(const LV2_Feature* const* features);

  // The URID of a URI, 0 without a map.
  LV2_URID Map(const char* uri) const;
};

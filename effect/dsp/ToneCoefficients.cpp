#include "ToneCoefficients.h"

#include <cmath>

namespace kelvora {

const ToneCoefficients* FindToneCoefficients(double sampleRate) {
  // Rates outside the int range (or NaN) have no set; converting them would be undefined.
  if (!(std::fabs(sampleRate) < 2147483647.0)) return nullptr;
  const int key = static_cast<int>(sampleRate);
  for (const ToneCoefficients& set : kToneTable)
    if (set.sampleRate == key) return &set;
  return nullptr;
}

} // namespace kelvora

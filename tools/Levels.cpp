#include "Levels.h"

#include <cmath>
#include <limits>

namespace {

double ToDb(double linear) {
  return linear > 0.0 ? 20.0 * std::log10(linear) : -std::numeric_limits<double>::infinity();
}

} // namespace

Levels MeasureLevels(const AudioBuffer& buffer) {
  double peak = 0.0, sumSquares = 0.0;
  long count = 0;
  for (const auto& channel : buffer.channels) {
    for (double s : channel) {
      peak = std::fmax(peak, std::fabs(s));
      sumSquares += s * s;
    }
    count += static_cast<long>(channel.size());
  }
  const double rms = count > 0 ? std::sqrt(sumSquares / static_cast<double>(count)) : 0.0;
  return {ToDb(peak), ToDb(rms)};
}

#include "LevelTrack.h"

#include "ToneAnalysis.h"

#include <stdexcept>

namespace {

// Mean square as a sine's peak level: a sine of amplitude A has mean square A²/2.
double SineLevelDb(const std::vector<double>& s, std::size_t start, std::size_t count) {
  double sum = 0.0;
  for (std::size_t n = start; n < start + count; ++n)
    sum += s[n] * s[n];
  return PowerDb(2.0 * sum / static_cast<double>(count));
}

} // namespace

std::vector<LevelPoint> TrackLevels(const std::vector<double>& input,
                                    const std::vector<double>& output, long window) {
  if (input.size() != output.size() || window < 1)
    throw std::invalid_argument("level tracking needs equal lengths and a window");
  const std::size_t w = static_cast<std::size_t>(window);
  std::vector<LevelPoint> points;
  for (std::size_t start = 0; start + w <= input.size(); start += w)
    points.push_back({SineLevelDb(input, start, w), SineLevelDb(output, start, w)});
  return points;
}

#include "AlignedComparison.h"

#include <algorithm>
#include <cmath>

namespace {

// Frames of the reference, starting at refStart, that the host holds at this lag.
long OverlapFrames(const AudioBuffer& host, const AudioBuffer& reference, long lag,
                   long& refStart) {
  refStart = std::max(0L, -lag);
  const long refEnd = std::min(reference.NumFrames(), host.NumFrames() - lag);
  return std::max(0L, refEnd - refStart);
}

double MaxDifferenceAt(const AudioBuffer& host, const AudioBuffer& reference, long lag,
                       long refStart, long frames, double stopAbove) {
  double largest = 0;
  for (int c = 0; c < reference.NumChannels(); ++c) {
    const auto& h = host.channels[c];
    const auto& r = reference.channels[c];
    for (long i = refStart; i < refStart + frames; ++i) {
      largest = std::max(largest, std::fabs(h[i + lag] - r[i]));
      if (largest > stopAbove) return largest;
    }
  }
  return largest;
}

} // namespace

bool CompareAligned(const AudioBuffer& host, const AudioBuffer& reference, long maxLag,
                    ComparisonResult& result, std::string& error) {
  if (host.NumChannels() != reference.NumChannels()) {
    error = "host output has " + std::to_string(host.NumChannels()) + " channels, reference " +
            std::to_string(reference.NumChannels());
    return false;
  }
  if (reference.NumFrames() == 0) {
    error = "reference is empty";
    return false;
  }
  // A lag only counts when it leaves at least half the reference to compare: otherwise a
  // short overlap of near-silence would fit better than the true alignment.
  const long minOverlap = (reference.NumFrames() + 1) / 2;
  bool found = false;
  double best = INFINITY;
  for (long lag = -maxLag; lag <= maxLag; ++lag) {
    long refStart = 0;
    const long frames = OverlapFrames(host, reference, lag, refStart);
    if (frames < minOverlap) continue;
    const double largest = MaxDifferenceAt(host, reference, lag, refStart, frames, best);
    if (!found || largest < best || (largest == best && std::labs(lag) < std::labs(result.lag))) {
      found = true;
      best = largest;
      result.lag = lag;
      result.comparedFrames = frames;
    }
  }
  if (!found) {
    error = "host output (" + std::to_string(host.NumFrames()) +
            " frames) does not cover the reference (" + std::to_string(reference.NumFrames()) +
            " frames) at any lag within " + std::to_string(maxLag);
    return false;
  }
  long refStart = 0;
  OverlapFrames(host, reference, result.lag, refStart);
  double sumSquares = 0;
  for (int c = 0; c < reference.NumChannels(); ++c) {
    for (long i = refStart; i < refStart + result.comparedFrames; ++i) {
      const double d = host.channels[c][i + result.lag] - reference.channels[c][i];
      sumSquares += d * d;
    }
  }
  result.maxDifference = best;
  result.rmsDifference =
      std::sqrt(sumSquares / static_cast<double>(result.comparedFrames * reference.NumChannels()));
  return true;
}

double MaxDifference(const AudioBuffer& a, const AudioBuffer& b) {
  const long frames = std::min(a.NumFrames(), b.NumFrames());
  double largest = 0;
  for (int c = 0; c < std::min(a.NumChannels(), b.NumChannels()); ++c) {
    for (long i = 0; i < frames; ++i) {
      largest = std::max(largest, std::fabs(a.channels[c][i] - b.channels[c][i]));
    }
  }
  return largest;
}

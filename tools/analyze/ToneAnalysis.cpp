#include "ToneAnalysis.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

double PowerDb(double power) {
  // A ratio to a silent fundamental stays NaN or infinite: it must not read as clean.
  if (std::isnan(power)) return power;
  return power > 0.0 ? std::max(kBelowFloor, 10.0 * std::log10(power)) : kBelowFloor;
}

namespace {

struct Claim {
  std::vector<bool>& claimed;
  const std::vector<double>& power;
  int lobe;

  // Sums and claims the unclaimed bins around `centre`.
  double Take(long centre) {
    const long last = static_cast<long>(power.size()) - 1;
    double sum = 0.0;
    for (long k = std::max(0L, centre - lobe); k <= std::min(last, centre + lobe); ++k) {
      if (claimed[static_cast<std::size_t>(k)]) continue;
      claimed[static_cast<std::size_t>(k)] = true;
      sum += power[static_cast<std::size_t>(k)];
    }
    return sum;
  }
};

} // namespace

ToneReport AnalyzeTone(const std::vector<double>& power, double sampleRate, int fftSize,
                       double fundamentalHz, int lobeBins) {
  const double nyquist = sampleRate / 2.0;
  if (power.size() != static_cast<std::size_t>(fftSize / 2 + 1) || fundamentalHz <= 0.0 ||
      fundamentalHz >= nyquist)
    throw std::invalid_argument("the tone must lie between 0 Hz and Nyquist of the spectrum");
  const double binHz = sampleRate / fftSize;
  std::vector<bool> claimed(power.size(), false);
  Claim claim{claimed, power, lobeBins};
  auto binOf = [&](double hz) { return std::lround(hz / binHz); };

  claim.Take(0);
  const double fundamental = claim.Take(binOf(fundamentalHz));
  ToneReport report;
  report.fundamentalDbfs = PowerDb(2.0 * fundamental);

  double harmonicSum = 0.0, evenSum = 0.0, oddSum = 0.0;
  report.harmonicDbc.fill(kBelowFloor);
  for (int k = 2; k * fundamentalHz < nyquist; ++k) {
    const double p = claim.Take(binOf(k * fundamentalHz));
    harmonicSum += p;
    ++report.harmonicsCounted;
    if (k <= 9) {
      report.harmonicDbc[static_cast<std::size_t>(k)] = PowerDb(p / fundamental);
      (k % 2 == 0 ? evenSum : oddSum) += p;
    }
  }
  report.thdPercent = 100.0 * std::sqrt(harmonicSum / fundamental);
  report.evenDbc = PowerDb(evenSum / fundamental);
  report.oddDbc = PowerDb(oddSum / fundamental);

  double rest = 0.0, peak = -1.0;
  long peakBin = 0;
  for (std::size_t k = 0; k < power.size(); ++k) {
    if (claimed[k]) continue;
    rest += power[k];
    if (power[k] > peak) {
      peak = power[k];
      peakBin = static_cast<long>(k);
    }
  }
  report.nonHarmonicDbc = PowerDb(rest / fundamental);
  report.strongestOtherHz = static_cast<double>(peakBin) * binHz;
  report.strongestOtherDbc = peak < 0.0 ? kBelowFloor : PowerDb(claim.Take(peakBin) / fundamental);
  return report;
}

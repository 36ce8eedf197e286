#include "SaturationChain.h"

#include "SignalGuards.h"

#include <cmath>

using kelvora::Clamp01;
using kelvora::Flush;
using kelvora::kCeiling;
using kelvora::kGuard;
using kelvora::Nudge;
using kelvora::Poly;

namespace {

// The sign of x (a negative zero counts as positive) on the magnitude of y.
double WithSignOf(double x, double y) {
  return x < 0.0 ? -std::fabs(y) : std::fabs(y);
}

} // namespace

// First-order antiderivative anti-aliasing of tanh: the slope of ln(cosh) between the previous
// and the current argument. Steps too small for the quotient fall back to tanh of the midpoint.
double SaturationChain::Adaa(int ch, int slot, double v) {
  const double p = adaaPrevInput[ch][slot];
  const double f = kelvora::LogCosh(v);
  double t;
  if (adaaTolerance > std::fabs(v - p))
    t = std::tanh((p + v) * 0.5);
  else
    t = (f - adaaPrevIntegral[ch][slot]) / (v - p + kGuard);
  adaaPrevIntegral[ch][slot] = f + kGuard;
  adaaPrevInput[ch][slot] = v + kGuard;
  return t;
}

double SaturationChain::Saturate(int channel, int mode, double x, double upperRef, double lowerRef,
                                 double divisor) {
  // A channel without state has nothing to shape with.
  if (channel < 0 || channel >= ChannelsInUse()) return x;
  const double a = std::fabs(x);

  if (mode == kelvora::kDriveMode) {
    double g = a;
    if (lowerRef > kelvora::kPreStageFloor) {
      // Above the knee the magnitude leans toward the tanh of itself less a scaled tanh of its
      // excess over the lower reference level, and is first pulled toward the upper one.
      const double t1 = std::tanh(Nudge(a - lowerRef));
      const double t2 = std::tanh(Nudge(upperRef - lowerRef));
      const double t3 = std::tanh(Nudge(t1 / (divisor + kGuard)));
      const double t4 = std::tanh(Nudge(a - t3));
      const double s = Clamp01(static_cast<double>(static_cast<long double>(a) - kelvora::kKnee));
      double g1 = a;
      if (t1 > t2) {
        const double u = Clamp01(std::tanh(Nudge(upperRef / (lowerRef + kGuard))));
        const double pull = Flush(u * upperRef + (1.0 - u) * a);
        g1 = Flush(s * pull + (1.0 - s) * a);
      }
      g = (1.0 - s) * g1 + s * t4;
    }
    const double t = Adaa(channel, kelvora::kDriveSlot, g);
    const double y = Flush(0.5 * Poly(g) + 0.5 * Clamp01(t));
    driveHistory[channel][0] = y;
    return WithSignOf(x, y);
  }

  if (mode == kelvora::kCeilingMode) {
    double y = a;
    if (static_cast<long double>(a) > kCeiling) {
      const double o = static_cast<double>(static_cast<long double>(a) - kCeiling);
      const double t = Adaa(channel, kelvora::kCeilingSlot, o);
      const double hi = static_cast<double>(kCeiling + static_cast<long double>(0.5 * t + 0.5 * o));
      const double u = Clamp01((a - static_cast<double>(kCeiling)) / kelvora::kCeilingFadeWidth);
      y = u * hi + (1.0 - u) * a;
    }
    if (y > kelvora::kCubicFadeStart) {
      const double k = Poly(y);
      const double w = Clamp01((y - kelvora::kCubicFadeStart) / kelvora::kCubicFadeWidth);
      y = w * k + (1.0 - w) * y;
    }
    return WithSignOf(x, y);
  }

  return x;
}

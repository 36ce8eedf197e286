#include "Kelvora.h"

#include "SignalGuards.h"

#include <cmath>

using kelvora::Clamp01;
using kelvora::Flush;
using kelvora::Nudge;
using kelvora::Poly;

namespace {

// -0.2 dB: where the output ceiling starts to compress.
constexpr long double kCeiling = 0.9772372209558107L;

// The sign of x (a negative zero counts as positive) on the magnitude of y.
double WithSignOf(double x, double y) {
  return x < 0.0 ? -std::fabs(y) : std::fabs(y);
}

} // namespace

// First-order antiderivative anti-aliasing of tanh: the slope of ln(cosh) between the previous
// and the current argument. Steps too small for the quotient fall back to tanh of the midpoint.
double Kelvora::Adaa(int ch, int slot, double v) {
  const double p = adaaPrevInput[ch][slot];
  const double f = kelvora::LogCosh(v);
  double t;
  if (adaaTolerance > std::fabs(v - p))
    t = std::tanh((p + v) * 0.5);
  else
    t = (f - adaaPrevIntegral[ch][slot]) / (v - p + 1e-39);
  adaaPrevIntegral[ch][slot] = f + 1e-39;
  adaaPrevInput[ch][slot] = v + 1e-39;
  return t;
}

double Kelvora::Saturate(int channel, int mode, double x, double upperRef, double lowerRef,
                         double divisor) {
  // A channel without state has nothing to shape with.
  if (channel < 0 || channel >= ChannelsInUse()) return x;
  const double a = std::fabs(x);

  if (mode == 1) {
    double g = a;
    if (lowerRef > 1e-38) {
      // Above the knee the magnitude leans toward the tanh of itself less a scaled tanh of its
      // excess over the lower reference level, and is first pulled toward the upper one.
      const double t1 = std::tanh(Nudge(a - lowerRef));
      const double t2 = std::tanh(Nudge(upperRef - lowerRef));
      const double t3 = std::tanh(Nudge(t1 / (divisor + 1e-39)));
      const double t4 = std::tanh(Nudge(a - t3));
      const double s = Clamp01(static_cast<double>(static_cast<long double>(a) - kelvora::kKnee));
      double g1 = a;
      if (t1 > t2) {
        const double u = Clamp01(std::tanh(Nudge(upperRef / (lowerRef + 1e-39))));
        const double pull = Flush(u * upperRef + (1.0 - u) * a);
        g1 = Flush(s * pull + (1.0 - s) * a);
      }
      g = (1.0 - s) * g1 + s * t4;
    }
    const double t = Adaa(channel, 5, g);
    const double y = Flush(0.5 * Poly(g) + 0.5 * Clamp01(t));
    driveHistory[channel][0] = y;
    return WithSignOf(x, y);
  }

  if (mode == 2) {
    double y = a;
    if (static_cast<long double>(a) > kCeiling) {
      const double o = static_cast<double>(static_cast<long double>(a) - kCeiling);
      const double t = Adaa(channel, 6, o);
      const double hi = static_cast<double>(kCeiling + static_cast<long double>(0.5 * t + 0.5 * o));
      const double u = Clamp01((a - 0.9772372209558107) / 0.02276277904418933);
      y = u * hi + (1.0 - u) * a;
    }
    if (y > 0.85) {
      const double k = Poly(y);
      const double w = Clamp01((y - 0.85) / 0.15000000000000002);
      y = w * k + (1.0 - w) * y;
    }
    return WithSignOf(x, y);
  }

  return x;
}

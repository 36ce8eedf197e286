#pragma once

#include "KelvoraConstants.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

// Arithmetic guards shared by the saturation stage and the block processing. The recursive
// states feed themselves forever, so subnormal values are kept out of them (flush) and away from
// the transcendental functions and divisors (nudge); both change results at the 1e-39 level and
// are part of the effect's sound.
namespace kelvora {

// The offset added to stored states, to transcendental arguments and to divisors.
constexpr double kGuard = 1e-39;

inline bool HasExponent(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return (bits & 0x7FF0000000000000ull) != 0;
}

// Zero and subnormal values become +0; infinities and NaN pass.
inline double Flush(double v) {
  return HasExponent(v) ? v : 0.0;
}

inline double Nudge(double v) {
  return HasExponent(v) ? v + kGuard : kGuard;
}

// A NaN argument gives 1.
inline double Clamp01(double v) {
  return std::max(0.0, std::min(1.0, v));
}

// Cubic soft clip 1.45 m - 0.45 m^3 on m = 0.9 v, with v held at the knee.
inline double Poly(double v) {
  const long double lv = v;
  const double d = static_cast<double>(std::fabs(lv + kKnee) - std::fabs(lv - kKnee));
  const double m = kCubicSpan * Flush(d);
  return kCubicLinear * m - kCubicSpan * m * m * m;
}

// ln 2, the limit of |v| - ln(cosh(v)).
constexpr double kLn2 = 0.69314718055994530942;

// ln(cosh(v)) without the overflow of cosh beyond |v| of about 710. Below the switch-over the
// plain formula is used as is; above it the rewritten form agrees with it to rounding.
inline double LogCosh(double v) {
  const double a = std::fabs(v);
  if (a < 700.0) return std::log(std::cosh(v));
  return a + std::log1p(std::exp(-2.0 * a)) - kLn2;
}

} // namespace kelvora

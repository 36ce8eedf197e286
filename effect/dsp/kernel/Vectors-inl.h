// The vectors of a channel pair and the shaping functions the stages share. Like every header in
// this folder, it is included by KelvoraKernel.cpp alone, once per instruction set it compiles
// (hence the guard that toggles with the target), and its code has internal linkage as if
// written there.
#if defined(KELVORA_KERNEL_VECTORS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef KELVORA_KERNEL_VECTORS_INL_H_
#undef KELVORA_KERNEL_VECTORS_INL_H_
#else
#define KELVORA_KERNEL_VECTORS_INL_H_
#endif

#include "KelvoraConstants.h"
#include "KelvoraKernel.h"
#include "SignalGuards.h"

#include <cmath>
#include <limits>

#include <hwy/contrib/math/math-inl.h>
#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace kelvora {
namespace HWY_NAMESPACE {
namespace {

namespace hn = hwy::HWY_NAMESPACE;

// Two lanes where the instruction set has them; the scalar baseline takes one channel at a time.
using D = hn::CappedTag<double, kLanes>;
using V = hn::Vec<D>;
using M = hn::Mask<D>;

HWY_INLINE V Splat(double v) {
  return hn::Set(D(), v);
}

// Zero or subnormal (the exponent field is all zeros): below the least normal magnitude. A
// floating-point comparison, so that the chains through the smoothers do not cross into the
// integer unit and back.
HWY_INLINE M LacksExponent(V v) {
  return hn::Lt(hn::Abs(v), Splat(std::numeric_limits<double>::min()));
}

HWY_INLINE V Flush(V v) {
  return hn::IfThenZeroElse(LacksExponent(v), v);
}

// Zero and subnormal values become the guard, others get it added: for any double the plain sum
// does both, since a subnormal is far below half a unit in the last place of the guard.
HWY_INLINE V Nudge(V v) {
  return hn::Add(v, Splat(kGuard));
}

HWY_INLINE V Clamp01(V v) {
  return hn::Max(hn::Zero(D()), hn::Min(Splat(1.0), v));
}

// a·weight + b·(1 − weight).
HWY_INLINE V Blend(V weight, V a, V b) {
  return hn::Add(hn::Mul(weight, a), hn::Mul(hn::Sub(Splat(1.0), weight), b));
}

HWY_INLINE V Poly(V v) {
  const V knee = Splat(static_cast<double>(kKnee));
  const V d = hn::Sub(hn::Abs(hn::Add(v, knee)), hn::Abs(hn::Sub(v, knee)));
  const V m = hn::Mul(Splat(kCubicSpan), Flush(d));
  const V cube = hn::Mul(hn::Mul(hn::Mul(Splat(kCubicSpan), m), m), m);
  return hn::Sub(hn::Mul(Splat(kCubicLinear), m), cube);
}

// ln(cosh(v)) as |v| + ln(1 + e^(−2|v|)) − ln 2: one exponential and one logarithm, and no
// overflow for any finite v.
template <class Tag> HWY_INLINE hn::Vec<Tag> LogCoshOf(Tag d, hn::Vec<Tag> v) {
  const auto a = hn::Abs(v);
  const auto tail = hn::Log1p(d, hn::Exp(d, hn::Mul(hn::Set(d, -2.0), a)));
  return hn::Sub(hn::Add(a, tail), hn::Set(d, kLn2));
}

HWY_INLINE V LogCosh(V v) {
  return LogCoshOf(D(), v);
}

HWY_INLINE V Tanh(V v) {
  return hn::Tanh(D(), v);
}

// Two independent pairs at once: where the CPU has 256-bit vectors, one function call works out
// both, which halves the cost of the transcendental terms that do not wait on each other.
#if HWY_ARCH_X86 && HWY_TARGET <= HWY_AVX2
template <class Function> HWY_INLINE void BothAtOnce(Function function, V a, V b, V& fa, V& fb) {
  const hn::Twice<D> d2;
  const auto both = function(d2, hn::Combine(d2, b, a));
  fa = hn::LowerHalf(D(), both);
  fb = hn::UpperHalf(D(), both);
}
#else
template <class Function> HWY_INLINE void BothAtOnce(Function function, V a, V b, V& fa, V& fb) {
  fa = function(D(), a);
  fb = function(D(), b);
}
#endif

HWY_INLINE void TanhOfBoth(V a, V b, V& ta, V& tb) {
  BothAtOnce([](auto d, auto v) { return hn::Tanh(d, v); }, a, b, ta, tb);
}

HWY_INLINE void LogCoshOfBoth(V a, V b, V& fa, V& fb) {
  BothAtOnce([](auto d, auto v) { return LogCoshOf(d, v); }, a, b, fa, fb);
}

HWY_INLINE V WithSignOf(V x, V magnitude) {
  return hn::IfThenElse(hn::Lt(x, hn::Zero(D())), hn::Neg(magnitude), magnitude);
}

// "Bias" at one strength: lets excursions of the favoured polarity through less processed, by
// blending z toward the reference where the slope has the sign of the offset.
class Bias {
public:
  Bias(double offset, double strength)
      : favoured(offset > 0.0   ? 1
                 : offset < 0.0 ? -1
                                : 0),
        keep(kelvora::Clamp01(1.0 - strength * std::fabs(offset))) {}

  V operator()(V z, V reference, V slope) const {
    if (favoured == 0) return z;
    const M leaning = favoured > 0 ? hn::Gt(slope, hn::Zero(D())) : hn::Lt(slope, hn::Zero(D()));
    return hn::IfThenElse(leaning, Blend(Splat(keep), z, reference), z);
  }

private:
  int favoured;
  double keep;
};

} // namespace
} // namespace HWY_NAMESPACE
} // namespace kelvora
HWY_AFTER_NAMESPACE();

#endif

#pragma once

#include <cstdint>
#include <cstring>

// Hosts check that no subnormal number reaches them, and some slow down on them. A value whose
// exponent field is zero (a subnormal or a zero) becomes +0; every other value keeps its bits.
// Sizes matter: a normal 64-bit value may round to a subnormal 32-bit one.
inline double FlushSubnormal(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return (bits & 0x7FF0000000000000ull) != 0 ? v : 0.0;
}

inline float FlushSubnormal(float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return (bits & 0x7F800000u) != 0 ? v : 0.0f;
}

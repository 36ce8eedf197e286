#include "TestSignal.h"

#include <cmath>
#include <cstdint>

AudioBuffer MakeTestSignal(double seconds, double sampleRate) {
  constexpr double kTwoPi = 6.283185307179586;
  AudioBuffer out;
  out.sampleRate = sampleRate;
  const long frames = static_cast<long>(seconds * sampleRate);
  const long lead = static_cast<long>(0.1 * sampleRate);
  const long tail = frames / 8;
  out.channels.assign(2, std::vector<double>(frames, 0.0));
  std::uint32_t noise = 0x2545F491u;
  const long sounding = frames - tail - lead;
  for (long i = 0; i < sounding; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double rise = 0.05 + 0.9 * static_cast<double>(i) / static_cast<double>(sounding);
    out.channels[0][lead + i] =
        rise * (0.8 * std::sin(kTwoPi * 110.0 * t) + 0.2 * std::sin(kTwoPi * 3000.0 * t));
    noise = noise * 1664525u + 1013904223u;
    const double white = static_cast<double>(noise) / 4294967296.0 - 0.5;
    const double decay = std::exp(-3.0 * t / seconds);
    out.channels[1][lead + i] = decay * (0.45 * std::sin(kTwoPi * 220.0 * t) +
                                         0.35 * std::sin(kTwoPi * 1750.0 * t) + 0.1 * white);
  }
  return out;
}

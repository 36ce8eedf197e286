#include "TestSignals.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586476925;

std::vector<double> Sized(long frames) {
  return std::vector<double>(static_cast<std::size_t>(frames > 0 ? frames : 0));
}

} // namespace

std::vector<double> Sine(double hz, double amplitude, long frames, double sampleRate) {
  std::vector<double> s = Sized(frames);
  for (std::size_t n = 0; n < s.size(); ++n)
    s[n] = amplitude * std::sin(kTwoPi * hz * static_cast<double>(n) / sampleRate);
  return s;
}

std::vector<double> LevelSweep(double hz, double startDbfs, double endDbfs, long frames,
                               double sampleRate) {
  std::vector<double> s = Sized(frames);
  const double span = frames > 1 ? static_cast<double>(frames - 1) : 1.0;
  for (std::size_t n = 0; n < s.size(); ++n) {
    const double db = startDbfs + (endDbfs - startDbfs) * static_cast<double>(n) / span;
    s[n] = std::pow(10.0, db / 20.0) * std::sin(kTwoPi * hz * static_cast<double>(n) / sampleRate);
  }
  return s;
}

std::vector<double> LinearChirp(double startHz, double endHz, double amplitude, long frames,
                                double sampleRate) {
  std::vector<double> s = Sized(frames);
  const double seconds = static_cast<double>(frames) / sampleRate;
  const double rate = (endHz - startHz) / seconds; // Hz per second
  for (std::size_t n = 0; n < s.size(); ++n) {
    const double t = static_cast<double>(n) / sampleRate;
    s[n] = amplitude * std::sin(kTwoPi * (startHz * t + 0.5 * rate * t * t));
  }
  return s;
}

std::vector<double> NoisySine(double hz, double amplitude, double noise, long frames,
                              double sampleRate, std::uint32_t seed) {
  std::vector<double> s = Sine(hz, amplitude, frames, sampleRate);
  for (double& v : s) {
    seed = seed * 1664525u + 1013904223u;
    v += noise * (2.0 * static_cast<double>(seed) / 4294967296.0 - 1.0);
  }
  return s;
}

#include "DemoSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTempo = 120.0; // beats per minute

double NoteHz(int midiNote) {
  return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// Karplus-Strong: a burst of noise circulating in a damped delay line sounds like a plucked
// string.
void AddPluck(std::vector<double>& left, std::vector<double>& right, double sampleRate, long at,
              int midiNote, double seconds, double gain, std::uint32_t& noise) {
  const int period = std::max(2, static_cast<int>(std::lround(sampleRate / NoteHz(midiNote))));
  std::vector<double> line(static_cast<std::size_t>(period));
  for (double& s : line) {
    noise = noise * 1664525u + 1013904223u;
    s = static_cast<double>(noise) / 2147483648.0 - 1.0;
  }
  const long length = static_cast<long>(seconds * sampleRate);
  double previous = 0.0;
  for (long i = 0; i < length && at + i < static_cast<long>(left.size()); ++i) {
    const std::size_t k = static_cast<std::size_t>(i % period);
    const double s = line[k];
    line[k] = 0.996 * 0.5 * (s + previous);
    previous = s;
    const double release = std::min(1.0, static_cast<double>(length - i) / (0.01 * sampleRate));
    left[at + i] += gain * s * release;
    right[at + i] += gain * s * release;
  }
}

// A soft detuned saw chord, slightly wider in the right channel.
void AddChord(std::vector<double>& left, std::vector<double>& right, double sampleRate, long at,
              const int (&notes)[3], double seconds, double gain) {
  const long length = static_cast<long>(seconds * sampleRate);
  for (int n : notes) {
    const double hz = NoteHz(n);
    for (long i = 0; i < length && at + i < static_cast<long>(left.size()); ++i) {
      const double t = static_cast<double>(i) / sampleRate;
      const double envelope = std::min(1.0, t / 0.08) * std::min(1.0, (seconds - t) / 0.2);
      double l = 0.0, r = 0.0;
      for (int h = 1; h <= 8; ++h) {
        l += std::sin(2.0 * kPi * hz * 0.998 * h * t) / h;
        r += std::sin(2.0 * kPi * hz * 1.002 * h * t + 0.3 * h) / h;
      }
      left[at + i] += gain * envelope * l;
      right[at + i] += gain * envelope * r;
    }
  }
}

} // namespace

AudioBuffer MakeDemoSignal(double sampleRate, double seconds) {
  AudioBuffer demo;
  demo.sampleRate = sampleRate;
  const auto frames = static_cast<std::size_t>(std::max(0.0, seconds * sampleRate));
  demo.channels.assign(2, std::vector<double>(frames, 0.0));
  auto& left = demo.channels[0];
  auto& right = demo.channels[1];

  const double beat = 60.0 / kTempo;
  const int chords[4][3] = {{57, 60, 64}, {53, 57, 60}, {48, 52, 55}, {55, 59, 62}};
  const int bass[8] = {33, 33, 45, 33, 29, 29, 41, 31};
  std::uint32_t noise = 12345u;
  for (int bar = 0; bar * 4 * beat < seconds; ++bar) {
    const long barStart = static_cast<long>(bar * 4 * beat * sampleRate);
    AddChord(left, right, sampleRate, barStart, chords[bar % 4], 4 * beat, 0.06);
    for (int eighth = 0; eighth < 8; ++eighth) {
      const long at = barStart + static_cast<long>(eighth * 0.5 * beat * sampleRate);
      const int root = chords[bar % 4][0] - 24;
      AddPluck(left, right, sampleRate, at, root + bass[eighth] - 33, 0.45 * beat, 0.5, noise);
    }
  }

  double peak = 0.0;
  for (const auto& ch : demo.channels)
    for (double s : ch)
      peak = std::max(peak, std::fabs(s));
  if (peak > 0.0)
    for (auto& ch : demo.channels)
      for (double& s : ch)
        s *= 0.7 / peak;
  return demo;
}

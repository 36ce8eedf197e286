#pragma once

#include <array>
#include <vector>

// What a power spectrum (PowerSpectrum::Power) of a processed sine holds. Levels in dB; the
// fundamental in dBFS (a full-scale sine is 0 dBFS), the rest relative to the fundamental
// (dBc). Energy at DC, at the fundamental and at its multiples below Nyquist is harmonic;
// everything else (aliases, noise, modulation) is not.
struct ToneReport {
  double fundamentalDbfs = 0.0;
  // Index k: harmonic k in dBc, for k = 2..9; kBelowFloor when it lies at or above Nyquist.
  std::array<double, 10> harmonicDbc{};
  int harmonicsCounted = 0;      // harmonics 2.. below Nyquist, all in the THD
  double thdPercent = 0.0;       // sqrt(energy of harmonics 2.. below Nyquist / fundamental)
  double evenDbc = 0.0;          // harmonics 2, 4, 6, 8 together
  double oddDbc = 0.0;           // harmonics 3, 5, 7, 9 together
  double nonHarmonicDbc = 0.0;   // all the rest of the spectrum, DC excluded
  double strongestOtherHz = 0.0; // the largest single component of that rest
  double strongestOtherDbc = 0.0;
};

// Floor for levels of no energy at all, so that tables and plots stay finite.
constexpr double kBelowFloor = -300.0;

// `power` is a PowerSpectrum::Power result of fftSize points at sampleRate; lobeBins the
// half-width around each component that holds its energy (PowerSpectrum::LobeBins).
ToneReport AnalyzeTone(const std::vector<double>& power, double sampleRate, int fftSize,
                       double fundamentalHz, int lobeBins);

// 10·log10 with kBelowFloor for zero.
double PowerDb(double power);

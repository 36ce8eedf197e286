#pragma once

#include <vector>

class PowerSpectrum;

// Short-time spectra of a signal: one frame every `hop` samples, each the amplitude in dBFS per
// bin (a full-scale sine centred on a bin reads 0 dB).
struct Spectrogram {
  double secondsPerFrame = 0.0; // hop / sample rate
  double hzPerBin = 0.0;
  std::vector<double> frameStartSeconds;
  std::vector<std::vector<float>> frames; // [frame][bin]
};

// Frames cover the signal from its start while a whole FFT fits; hop at least 1.
Spectrogram MakeSpectrogram(const std::vector<double>& signal, double sampleRate,
                            PowerSpectrum& spectrum, int hop);

// The bin with the largest value in `frame` between loHz and hiHz, as a frequency.
double PeakHz(const Spectrogram& s, std::size_t frame, double loHz, double hiHz);

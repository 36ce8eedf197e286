#include "Spectrogram.h"

#include "PowerSpectrum.h"
#include "ToneAnalysis.h"

#include <algorithm>
#include <cmath>

Spectrogram MakeSpectrogram(const std::vector<double>& signal, double sampleRate,
                            PowerSpectrum& spectrum, int hop) {
  hop = std::max(1, hop);
  Spectrogram s;
  s.secondsPerFrame = hop / sampleRate;
  s.hzPerBin = sampleRate / spectrum.Size();
  const std::size_t fft = static_cast<std::size_t>(spectrum.Size());
  for (std::size_t start = 0; start + fft <= signal.size();
       start += static_cast<std::size_t>(hop)) {
    const std::vector<double>& amplitude = spectrum.Amplitude(signal.data() + start);
    std::vector<float> frame(amplitude.size());
    for (std::size_t k = 0; k < amplitude.size(); ++k)
      frame[k] = static_cast<float>(PowerDb(amplitude[k] * amplitude[k]));
    s.frames.push_back(std::move(frame));
    s.frameStartSeconds.push_back(static_cast<double>(start) / sampleRate);
  }
  return s;
}

double PeakHz(const Spectrogram& s, std::size_t frame, double loHz, double hiHz) {
  const std::vector<float>& bins = s.frames.at(frame);
  const std::size_t lo = static_cast<std::size_t>(std::max(0.0, std::ceil(loHz / s.hzPerBin)));
  const std::size_t hi =
      std::min(bins.size() - 1, static_cast<std::size_t>(std::floor(hiHz / s.hzPerBin)));
  std::size_t best = lo;
  for (std::size_t k = lo; k <= hi; ++k)
    if (bins[k] > bins[best]) best = k;
  return static_cast<double>(best) * s.hzPerBin;
}

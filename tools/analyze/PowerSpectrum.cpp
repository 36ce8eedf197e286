#include "PowerSpectrum.h"

#include <fftw3.h>

#include <cmath>
#include <new>
#include <stdexcept>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Modified Bessel function of the first kind, order zero, by its power series; the terms
// shrink fast enough for any beta a window uses.
double BesselI0(double x) {
  double sum = 1.0, term = 1.0;
  const double quarterSquare = x * x / 4.0;
  for (int k = 1; k < 500; ++k) {
    term *= quarterSquare / (static_cast<double>(k) * k);
    sum += term;
    if (term < sum * 1e-17) break;
  }
  return sum;
}

} // namespace

std::vector<double> KaiserWindow(int size, double beta) {
  std::vector<double> w(static_cast<std::size_t>(std::max(size, 0)));
  const double norm = BesselI0(beta);
  for (int n = 0; n < size; ++n) {
    const double t = 2.0 * n / size - 1.0;
    w[static_cast<std::size_t>(n)] = BesselI0(beta * std::sqrt(std::fmax(0.0, 1.0 - t * t))) / norm;
  }
  return w;
}

double KaiserMainLobeHalfWidth(double beta) {
  return std::sqrt(1.0 + (beta / kPi) * (beta / kPi));
}

int KaiserLobeBins(double beta) {
  return static_cast<int>(std::ceil(KaiserMainLobeHalfWidth(beta))) + 3;
}

PowerSpectrum::PowerSpectrum(int fftSize, double kaiserBeta)
    : size(fftSize), beta(kaiserBeta), window(KaiserWindow(fftSize, kaiserBeta)) {
  if (fftSize < 16 || (fftSize & (fftSize - 1)) != 0)
    throw std::invalid_argument("the FFT size must be a power of two of at least 16");
  double sum = 0.0, sumSquares = 0.0;
  for (double w : window) {
    sum += w;
    sumSquares += w * w;
  }
  // Parseval over the positive half of the spectrum; see the class comment for the two scales.
  powerScale = 2.0 / (static_cast<double>(size) * sumSquares);
  amplitudeScale = 2.0 / sum;
  timeData = fftw_alloc_real(static_cast<std::size_t>(size));
  auto* freq = fftw_alloc_complex(static_cast<std::size_t>(Bins()));
  freqData = freq;
  if (!timeData || !freq) throw std::bad_alloc();
  plan = fftw_plan_dft_r2c_1d(size, timeData, freq, FFTW_ESTIMATE);
  result.resize(static_cast<std::size_t>(Bins()));
}

PowerSpectrum::~PowerSpectrum() {
  fftw_destroy_plan(static_cast<fftw_plan>(plan));
  fftw_free(freqData);
  fftw_free(timeData);
}

void PowerSpectrum::Transform(const double* samples) {
  for (int n = 0; n < size; ++n)
    timeData[n] = samples[n] * window[static_cast<std::size_t>(n)];
  fftw_execute(static_cast<fftw_plan>(plan));
}

const std::vector<double>& PowerSpectrum::Power(const double* samples) {
  Transform(samples);
  const auto* freq = static_cast<const fftw_complex*>(freqData);
  for (int k = 0; k < Bins(); ++k)
    result[static_cast<std::size_t>(k)] =
        (freq[k][0] * freq[k][0] + freq[k][1] * freq[k][1]) * powerScale;
  return result;
}

const std::vector<double>& PowerSpectrum::Amplitude(const double* samples) {
  Transform(samples);
  const auto* freq = static_cast<const fftw_complex*>(freqData);
  for (int k = 0; k < Bins(); ++k)
    result[static_cast<std::size_t>(k)] = std::hypot(freq[k][0], freq[k][1]) * amplitudeScale;
  return result;
}

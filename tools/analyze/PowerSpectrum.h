#pragma once

#include <vector>

// Kaiser window of `size` points, periodic (the point after the last would repeat the first),
// so that a window's length of samples is analysed without a doubled end point.
std::vector<double> KaiserWindow(int size, double beta);

// Half the width of a Kaiser window's main lobe, in bins.
double KaiserMainLobeHalfWidth(double beta);

// Bins on either side of a sine's centre bin that hold its energy under a Kaiser window: the
// main lobe and a margin. The same for every FFT size.
int KaiserLobeBins(double beta);

// One windowed real FFT size, reused for many analyses. Two calibrations of the same bins:
// Power() is for summing energy: a sine of amplitude A, summed over the bins of its lobe, gives
// its mean square A²/2 wherever it falls between bins. Amplitude() is for reading peaks off a
// plot: a sine of amplitude A centred on a bin reads A there.
class PowerSpectrum {
public:
  PowerSpectrum(int fftSize, double kaiserBeta);
  ~PowerSpectrum();
  PowerSpectrum(const PowerSpectrum&) = delete;
  PowerSpectrum& operator=(const PowerSpectrum&) = delete;

  int Size() const { return size; }
  int Bins() const { return size / 2 + 1; }
  double Beta() const { return beta; }
  int LobeBins() const { return KaiserLobeBins(beta); }

  // Analyses Size() samples starting at `samples`; the result holds Bins() values and stays valid
  // until the next call.
  const std::vector<double>& Power(const double* samples);
  const std::vector<double>& Amplitude(const double* samples);

private:
  void Transform(const double* samples);

  int size;
  double beta;
  std::vector<double> window;
  double powerScale, amplitudeScale;
  double* timeData;
  void* freqData; // fftw_complex[], kept out of this header
  void* plan;     // fftw_plan
  std::vector<double> result;
};

#pragma once

#include "LevelTrack.h"
#include "Spectrogram.h"
#include "ToneAnalysis.h"

#include <functional>
#include <string>
#include <vector>

class AnalysisTarget;

// How every measurement is made; written next to the results so that captions and readers
// can reproduce them.
struct MeasureConditions {
  double sampleRate = 48000.0;
  double settleSeconds = 0.5; // rendered before the analysed part, so filters have settled
  int toneFft = 65536;
  double kaiserBeta = 20.0; // sidelobes near -190 dB: far below anything measured
  double transferHz = 1000.0;
  double sweepStartDbfs = -60.0, sweepEndDbfs = 12.0, sweepSeconds = 8.0;
  int levelWindow = 960; // 20 ms: a whole number of 1 kHz periods
  double staticHz = 50.0, staticAmplitude = 1.0;
  double harmonicsHz = 1000.0;
  std::vector<double> harmonicsDbfs = {-12.0, 0.0};
  std::vector<double> biasValues = {0.0, 0.25, 0.5, 0.75, 1.0};
  double biasDbfs = 0.0;
  std::vector<double> aliasTonesHz = {997.0, 12007.0};
  std::vector<double> aliasInputGains = {32.0, 200.0};
  double aliasDbfs = -6.0;
  double chirpStartHz = 20.0, chirpEndHz = 20000.0, chirpDbfs = -6.0, chirpSeconds = 6.0;
  int spectrogramFft = 2048, spectrogramHop = 1024;
  double cpuSeconds = 5.0;
  int cpuRuns = 2; // the fastest counts: other load only ever slows a run down
};

// Parameter settings by name, in the parameter's own unit.
struct Setting {
  std::string name;
  double value;
};
using Settings = std::vector<Setting>;

// Runs the measurements on a target with the user's settings. Every render first sets the
// user's settings, then the measurement's own; a parameter that some measurement varies
// ("Input Gain", "Bias", "Oversampling") is otherwise at the user's value or its default.
// Failures of the target throw std::runtime_error.
class Measurements {
public:
  using Progress = std::function<void(const std::string& step, int done, int total)>;

  Measurements(AnalysisTarget& target, Settings user, MeasureConditions conditions,
               Progress progress = {});

  const MeasureConditions& Conditions() const { return cond; }

  struct Transfer {
    std::vector<LevelPoint> sweep;
    std::vector<double> staticInput, staticOutput; // one period
  };
  Transfer MeasureTransfer();

  struct Harmonics {
    double inputDbfs;
    ToneReport report;
    std::vector<double> spectrumDbfs; // amplitude per bin
  };
  std::vector<Harmonics> MeasureHarmonics();

  struct BiasRow {
    double bias;
    ToneReport report;
  };
  std::vector<BiasRow> MeasureBias();

  struct AliasRow {
    int oversampling; // sub-samples per sample
    double inputGain; // %
    double toneHz;
    ToneReport report;
  };
  std::vector<AliasRow> MeasureAliasing();

  struct SweepView {
    int oversampling;
    Spectrogram spectrogram;
  };
  std::vector<SweepView> MeasureSweeps();

  struct CpuRow {
    int oversampling;
    double audioSeconds, cpuSeconds, realtimeFactor;
  };
  std::vector<CpuRow> MeasureCpu();

private:
  std::vector<double> Render(const std::vector<double>& in, const Settings& overrides);
  // The tone's settled part, analysed.
  ToneReport AnalyzeToneAt(double hz, double dbfs, const Settings& overrides,
                           std::vector<double>* spectrumDbfs = nullptr);
  long SettleFrames() const;
  void Report(const std::string& step, int done, int total) const;

  AnalysisTarget& target;
  Settings user;
  MeasureConditions cond;
  Progress progress;
};

// 0..3 to 1, 2, 4, 8; the index is what "Oversampling" takes.
constexpr int OversamplingFactor(int index) {
  return 1 << index;
}

#include "Measurements.h"

#include "AnalysisTarget.h"
#include "PowerSpectrum.h"
#include "TestSignals.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ctime>
#include <stdexcept>
#include <utility>

namespace {

// The parameters some measurement varies, with the effect's defaults.
const Settings kVaried = {{"Input Gain", 32.0}, {"Bias", 0.5}, {"Oversampling", 0.0}};

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

bool Names(const Settings& settings, const std::string& name) {
  return std::any_of(settings.begin(), settings.end(),
                     [&](const Setting& s) { return SameName(s.name, name); });
}

double Amplitude(double dbfs) {
  return std::pow(10.0, dbfs / 20.0);
}

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

} // namespace

Measurements::Measurements(AnalysisTarget& t, Settings u, MeasureConditions c, Progress p)
    : target(t), user(std::move(u)), cond(std::move(c)), progress(std::move(p)) {}

long Measurements::SettleFrames() const {
  return std::lround(cond.settleSeconds * cond.sampleRate);
}

void Measurements::Report(const std::string& step, int done, int total) const {
  if (progress) progress(step, done, total);
}

std::vector<double> Measurements::Render(const std::vector<double>& in, const Settings& overrides) {
  std::string error;
  auto set = [&](const Setting& s) {
    if (!target.SetParameter(s.name, s.value, error)) throw std::runtime_error(error);
  };
  for (const Setting& s : kVaried)
    if (!Names(user, s.name) && !Names(overrides, s.name)) set(s);
  for (const Setting& s : user)
    if (!Names(overrides, s.name)) set(s);
  for (const Setting& s : overrides)
    set(s);
  std::vector<double> out;
  if (!target.Process(in, cond.sampleRate, out, error)) throw std::runtime_error(error);
  if (out.size() != in.size()) throw std::runtime_error("the effect changed the signal's length");
  return out;
}

ToneReport Measurements::AnalyzeToneAt(double hz, double dbfs, const Settings& overrides,
                                       std::vector<double>* spectrumDbfs) {
  const long settle = SettleFrames();
  const std::vector<double> out =
      Render(Sine(hz, Amplitude(dbfs), settle + cond.toneFft, cond.sampleRate), overrides);
  PowerSpectrum spectrum(cond.toneFft, cond.kaiserBeta);
  const double* analysed = out.data() + settle;
  if (spectrumDbfs) {
    const std::vector<double>& amplitude = spectrum.Amplitude(analysed);
    spectrumDbfs->resize(amplitude.size());
    for (std::size_t k = 0; k < amplitude.size(); ++k)
      (*spectrumDbfs)[k] = PowerDb(amplitude[k] * amplitude[k]);
  }
  return AnalyzeTone(spectrum.Power(analysed), cond.sampleRate, cond.toneFft, hz,
                     spectrum.LobeBins());
}

Measurements::Transfer Measurements::MeasureTransfer() {
  Transfer t;
  Report("transfer curve", 0, 2);
  const long settle = SettleFrames();
  const long sweepFrames = std::lround(cond.sweepSeconds * cond.sampleRate);
  // The sweep starts after a settling stretch at its lowest level.
  std::vector<double> in =
      Sine(cond.transferHz, Amplitude(cond.sweepStartDbfs), settle, cond.sampleRate);
  const std::vector<double> sweep = LevelSweep(cond.transferHz, cond.sweepStartDbfs,
                                               cond.sweepEndDbfs, sweepFrames, cond.sampleRate);
  in.insert(in.end(), sweep.begin(), sweep.end());
  std::vector<double> out = Render(in, {});
  out.erase(out.begin(), out.begin() + settle);
  t.sweep = TrackLevels(sweep, out, cond.levelWindow);

  Report("transfer curve", 1, 2);
  const long period = std::lround(cond.sampleRate / cond.staticHz);
  const std::vector<double> tone =
      Sine(cond.staticHz, cond.staticAmplitude, settle + period, cond.sampleRate);
  const std::vector<double> shaped = Render(tone, {});
  t.staticInput.assign(tone.begin() + settle, tone.end());
  t.staticOutput.assign(shaped.begin() + settle, shaped.end());
  Report("transfer curve", 2, 2);
  return t;
}

std::vector<Measurements::Harmonics> Measurements::MeasureHarmonics() {
  std::vector<Harmonics> rows;
  for (double dbfs : cond.harmonicsDbfs) {
    Report("harmonics", static_cast<int>(rows.size()), static_cast<int>(cond.harmonicsDbfs.size()));
    Harmonics h;
    h.inputDbfs = dbfs;
    h.report = AnalyzeToneAt(cond.harmonicsHz, dbfs, {}, &h.spectrumDbfs);
    rows.push_back(std::move(h));
  }
  Report("harmonics", static_cast<int>(rows.size()), static_cast<int>(rows.size()));
  return rows;
}

std::vector<Measurements::BiasRow> Measurements::MeasureBias() {
  std::vector<BiasRow> rows;
  const int total = static_cast<int>(cond.biasValues.size());
  for (double bias : cond.biasValues) {
    Report("bias", static_cast<int>(rows.size()), total);
    rows.push_back({bias, AnalyzeToneAt(cond.harmonicsHz, cond.biasDbfs, {{"Bias", bias}})});
  }
  Report("bias", total, total);
  return rows;
}

std::vector<Measurements::AliasRow> Measurements::MeasureAliasing() {
  std::vector<AliasRow> rows;
  const int total = 4 * static_cast<int>(cond.aliasInputGains.size() * cond.aliasTonesHz.size());
  for (int index = 0; index < 4; ++index)
    for (double gain : cond.aliasInputGains)
      for (double hz : cond.aliasTonesHz) {
        Report("aliasing", static_cast<int>(rows.size()), total);
        const Settings overrides = {{"Oversampling", static_cast<double>(index)},
                                    {"Input Gain", gain}};
        rows.push_back(
            {OversamplingFactor(index), gain, hz, AnalyzeToneAt(hz, cond.aliasDbfs, overrides)});
      }
  Report("aliasing", total, total);
  return rows;
}

std::vector<Measurements::SweepView> Measurements::MeasureSweeps() {
  const long frames = std::lround(cond.chirpSeconds * cond.sampleRate);
  const std::vector<double> chirp = LinearChirp(cond.chirpStartHz, cond.chirpEndHz,
                                                Amplitude(cond.chirpDbfs), frames, cond.sampleRate);
  PowerSpectrum spectrum(cond.spectrogramFft, cond.kaiserBeta);
  std::vector<SweepView> views;
  for (int index = 0; index < 4; ++index) {
    Report("sweep spectrograms", index, 4);
    const std::vector<double> out = Render(chirp, {{"Oversampling", static_cast<double>(index)}});
    views.push_back({OversamplingFactor(index),
                     MakeSpectrogram(out, cond.sampleRate, spectrum, cond.spectrogramHop)});
  }
  Report("sweep spectrograms", 4, 4);
  return views;
}

std::vector<Measurements::CpuRow> Measurements::MeasureCpu() {
  const long frames = std::lround(cond.cpuSeconds * cond.sampleRate);
  const std::vector<double> left = NoisySine(110.0, 0.7, 0.2, frames, cond.sampleRate, 1u);
  const std::vector<double> right = NoisySine(165.0, 0.7, 0.2, frames, cond.sampleRate, 2u);
  std::vector<CpuRow> rows;
  std::string error;
  const int total = 4 * cond.cpuRuns;
  for (int index = 0; index < 4; ++index) {
    // Parameters reach the effect with its next render; a one-block render carries them.
    Render(std::vector<double>(512, 0.0), {{"Oversampling", static_cast<double>(index)}});
    double best = 0.0;
    for (int run = 0; run < cond.cpuRuns; ++run) {
      Report("CPU cost", index * cond.cpuRuns + run, total);
      const double start = ThreadCpuSeconds();
      if (!target.ProcessStereo(left, right, cond.sampleRate, error))
        throw std::runtime_error(error);
      const double used = ThreadCpuSeconds() - start;
      if (run == 0 || used < best) best = used;
    }
    rows.push_back({OversamplingFactor(index), cond.cpuSeconds, best,
                    best > 0.0 ? cond.cpuSeconds / best : 0.0});
  }
  Report("CPU cost", total, total);
  return rows;
}

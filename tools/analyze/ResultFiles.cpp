#include "ResultFiles.h"

#include "CsvFile.h"

#include <cstdio>

namespace {

std::string Join(const std::string& dir, const std::string& name) {
  return dir.empty() || dir.back() == '/' ? dir + name : dir + "/" + name;
}

std::vector<std::string> HarmonicHeader() {
  std::vector<std::string> h;
  for (int k = 2; k <= 9; ++k)
    h.push_back("h" + std::to_string(k) + "_dbc");
  return h;
}

void AppendHarmonics(std::vector<double>& row, const ToneReport& r) {
  for (int k = 2; k <= 9; ++k)
    row.push_back(r.harmonicDbc[static_cast<std::size_t>(k)]);
  row.push_back(r.evenDbc);
  row.push_back(r.oddDbc);
}

std::string Number(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.10g", v);
  return text;
}

std::string Numbers(const std::vector<double>& values) {
  std::string text;
  for (double v : values)
    text += (text.empty() ? "" : " ") + Number(v);
  return text;
}

} // namespace

std::vector<std::string> WriteTransfer(const std::string& dir, const Measurements::Transfer& t) {
  std::vector<std::vector<double>> sweep, shape;
  for (const LevelPoint& p : t.sweep)
    sweep.push_back({p.inputDbfs, p.outputDbfs});
  for (std::size_t n = 0; n < t.staticInput.size(); ++n)
    shape.push_back({t.staticInput[n], t.staticOutput[n]});
  WriteCsv(Join(dir, "transfer_sweep.csv"), {"input_dbfs", "output_dbfs"}, sweep);
  WriteCsv(Join(dir, "transfer_static.csv"), {"input", "output"}, shape);
  return {"transfer_sweep.csv", "transfer_static.csv"};
}

std::vector<std::string> WriteHarmonics(const std::string& dir,
                                        const std::vector<Measurements::Harmonics>& rows,
                                        double sampleRate, int fftSize) {
  std::vector<std::string> header = {"input_dbfs", "fundamental_dbfs", "thd_percent"};
  for (const std::string& h : HarmonicHeader())
    header.push_back(h);
  header.insert(header.end(), {"even_dbc", "odd_dbc", "nonharmonic_dbc"});
  std::vector<std::vector<double>> table;
  std::vector<std::string> spectrumHeader = {"hz"};
  for (const auto& h : rows) {
    std::vector<double> row = {h.inputDbfs, h.report.fundamentalDbfs, h.report.thdPercent};
    AppendHarmonics(row, h.report);
    row.push_back(h.report.nonHarmonicDbc);
    table.push_back(std::move(row));
    spectrumHeader.push_back("dbfs_at_input_" + Number(h.inputDbfs));
  }
  WriteCsv(Join(dir, "harmonics.csv"), header, table);

  std::vector<std::vector<double>> spectrum;
  const std::size_t bins = rows.empty() ? 0 : rows[0].spectrumDbfs.size();
  for (std::size_t k = 0; k < bins; ++k) {
    std::vector<double> row = {static_cast<double>(k) * sampleRate / fftSize};
    for (const auto& h : rows)
      row.push_back(h.spectrumDbfs[k]);
    spectrum.push_back(std::move(row));
  }
  WriteCsv(Join(dir, "harmonics_spectrum.csv"), spectrumHeader, spectrum, 6);
  return {"harmonics.csv", "harmonics_spectrum.csv"};
}

std::vector<std::string> WriteBias(const std::string& dir,
                                   const std::vector<Measurements::BiasRow>& rows) {
  std::vector<std::string> header = {"bias", "thd_percent"};
  for (const std::string& h : HarmonicHeader())
    header.push_back(h);
  header.insert(header.end(), {"even_dbc", "odd_dbc"});
  std::vector<std::vector<double>> table;
  for (const auto& b : rows) {
    std::vector<double> row = {b.bias, b.report.thdPercent};
    AppendHarmonics(row, b.report);
    table.push_back(std::move(row));
  }
  WriteCsv(Join(dir, "bias.csv"), header, table);
  return {"bias.csv"};
}

std::vector<std::string> WriteAliasing(const std::string& dir,
                                       const std::vector<Measurements::AliasRow>& rows) {
  std::vector<std::vector<double>> table;
  for (const auto& a : rows)
    table.push_back({static_cast<double>(a.oversampling), a.inputGain, a.toneHz,
                     a.report.nonHarmonicDbc, a.report.strongestOtherHz, a.report.strongestOtherDbc,
                     a.report.thdPercent});
  WriteCsv(Join(dir, "aliasing.csv"),
           {"oversampling", "input_gain_percent", "tone_hz", "nonharmonic_dbc", "strongest_hz",
            "strongest_dbc", "thd_percent"},
           table);
  return {"aliasing.csv"};
}

std::vector<std::string> WriteSweeps(const std::string& dir,
                                     const std::vector<Measurements::SweepView>& views) {
  std::vector<std::string> names;
  for (const auto& v : views) {
    const Spectrogram& s = v.spectrogram;
    std::vector<std::string> header = {"time_s"};
    const std::size_t bins = s.frames.empty() ? 0 : s.frames[0].size();
    for (std::size_t k = 0; k < bins; ++k)
      header.push_back(Number(static_cast<double>(k) * s.hzPerBin));
    std::vector<std::vector<double>> table;
    for (std::size_t f = 0; f < s.frames.size(); ++f) {
      std::vector<double> row = {s.frameStartSeconds[f]};
      row.insert(row.end(), s.frames[f].begin(), s.frames[f].end());
      table.push_back(std::move(row));
    }
    const std::string name = "spectrogram_" + std::to_string(v.oversampling) + "x.csv";
    WriteCsv(Join(dir, name), header, table, 4);
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> WriteCpu(const std::string& dir,
                                  const std::vector<Measurements::CpuRow>& rows) {
  std::vector<std::vector<double>> table;
  for (const auto& c : rows)
    table.push_back(
        {static_cast<double>(c.oversampling), c.audioSeconds, c.cpuSeconds, c.realtimeFactor});
  WriteCsv(Join(dir, "cpu.csv"), {"oversampling", "audio_s", "cpu_s", "realtime_factor"}, table);
  return {"cpu.csv"};
}

std::string WriteConditions(const std::string& dir, const MeasureConditions& c, int lobeBins,
                            const std::vector<std::pair<std::string, std::string>>& extra) {
  std::vector<std::pair<std::string, std::string>> entries = {
      {"sample_rate_hz", Number(c.sampleRate)},
      {"window", "Kaiser"},
      {"kaiser_beta", Number(c.kaiserBeta)},
      {"tone_fft", std::to_string(c.toneFft)},
      {"lobe_bins", std::to_string(lobeBins)},
      {"settle_s", Number(c.settleSeconds)},
      {"transfer_hz", Number(c.transferHz)},
      {"sweep_start_dbfs", Number(c.sweepStartDbfs)},
      {"sweep_end_dbfs", Number(c.sweepEndDbfs)},
      {"sweep_s", Number(c.sweepSeconds)},
      {"level_window", std::to_string(c.levelWindow)},
      {"static_hz", Number(c.staticHz)},
      {"static_amplitude", Number(c.staticAmplitude)},
      {"harmonics_hz", Number(c.harmonicsHz)},
      {"harmonics_dbfs", Numbers(c.harmonicsDbfs)},
      {"bias_dbfs", Number(c.biasDbfs)},
      {"alias_dbfs", Number(c.aliasDbfs)},
      {"chirp_start_hz", Number(c.chirpStartHz)},
      {"chirp_end_hz", Number(c.chirpEndHz)},
      {"chirp_dbfs", Number(c.chirpDbfs)},
      {"chirp_s", Number(c.chirpSeconds)},
      {"spectrogram_fft", std::to_string(c.spectrogramFft)},
      {"spectrogram_hop", std::to_string(c.spectrogramHop)},
      {"cpu_audio_s", Number(c.cpuSeconds)},
      {"cpu_runs", std::to_string(c.cpuRuns)},
  };
  entries.insert(entries.end(), extra.begin(), extra.end());
  WriteKeyValues(Join(dir, "conditions.csv"), entries);
  return "conditions.csv";
}

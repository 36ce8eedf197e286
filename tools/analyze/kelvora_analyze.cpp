#include "AnalyzeOptions.h"
#include "BundleLookup.h"
#include "EffectTarget.h"
#include "Measurements.h"
#include "PowerSpectrum.h"
#include "ResultFiles.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// An installed program finds the plotter under its own prefix; a build runs the source copy.
std::string Plotter() {
  const std::string dir = ProgramDirectory();
  const std::string installed = dir + "/../share/kelvora/plot_measured.py";
  std::error_code error;
  if (!dir.empty() && fs::is_regular_file(installed, error)) return installed;
  return KELVORA_ANALYZE_PLOTTER;
}

bool MakeDirectories(const std::string& path) {
  std::error_code error;
  fs::create_directories(path, error);
  return fs::is_directory(path, error);
}

std::string CpuModel() {
  std::ifstream info("/proc/cpuinfo");
  std::string line;
  while (std::getline(info, line))
    if (line.rfind("model name", 0) == 0 && line.find(':') != std::string::npos)
      return line.substr(line.find(':') + 2);
  return "unknown";
}

std::string TodayUtc() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d", &utc);
  return text;
}

// One line that rewrites itself on a terminal; a line per measurement elsewhere.
void ShowProgress(const std::string& step, int done, int total) {
  static const bool terminal = isatty(fileno(stderr));
  if (terminal) {
    std::fprintf(stderr, "\r  %-20s %3d/%-3d", step.c_str(), done, total);
    if (done == total) std::fputc('\n', stderr);
  } else if (done == 0 || done == total) {
    std::fprintf(stderr, "  %s %s\n", step.c_str(), done == 0 ? "..." : "done");
  }
}

int RunPlotter(const std::string& dir) {
  const pid_t child = fork();
  if (child == 0) {
    const std::string plotter = Plotter();
    execl("/usr/bin/python3", "python3", plotter.c_str(), dir.c_str(), static_cast<char*>(nullptr));
    std::perror("kelvora-analyze: cannot run /usr/bin/python3");
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void PrintAliasing(const std::vector<Measurements::AliasRow>& rows) {
  std::printf("Energy off the harmonics, relative to the fundamental:\n");
  for (const auto& a : rows)
    std::printf("  %dx  Input Gain %5.1f %%  %7.1f Hz  %7.1f dBc  (largest at %.0f Hz, %.1f dBc)\n",
                a.oversampling, a.inputGain, a.toneHz, a.report.nonHarmonicDbc,
                a.report.strongestOtherHz, a.report.strongestOtherDbc);
}

int Run(int argc, char** argv) {
  AnalyzeOptions options;
  std::string error;
  if (!ParseAnalyzeOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "kelvora-analyze: %s\n(try --help)\n", error.c_str());
    return 2;
  }
  if (options.render.help) {
    std::fputs(AnalyzeUsage(argv[0]).c_str(), stdout);
    return 0;
  }

  const RenderOptions& ro = options.render;
  EffectTarget target;
  target.SetBlockSize(ro.blockSize);
  std::string effectText, bundlePath;
  if (ro.direct) {
    target.UseLinkedEffect(ro.seed);
    effectText = "the linked-in effect" + (ro.seed ? ", seed " + std::to_string(*ro.seed) : "");
  } else {
    const std::string bundle =
        ro.pluginPath.empty() ? FindThisProgramsBundle(error) : ro.pluginPath;
    if (bundle.empty() || !target.LoadPlugin(bundle, error)) {
      std::fprintf(stderr, "kelvora-analyze: %s\n", error.c_str());
      return 1;
    }
    effectText = "the Kelvora.vst3 plug-in";
    bundlePath = bundle;
  }
  Settings settings;
  std::string settingsText;
  for (const auto& [name, value] : ro.params) {
    if (!target.SetParameter(name, value, error)) {
      std::fprintf(stderr, "kelvora-analyze: %s", error.c_str());
      return 2;
    }
    settings.push_back({name, value});
    char text[128];
    std::snprintf(text, sizeof text, "%s%s=%g", settingsText.empty() ? "" : ", ", name.c_str(),
                  value);
    settingsText += text;
  }
  if (ro.listParams) {
    std::fputs(target.Describe().c_str(), stdout);
    return 0;
  }
  const std::string dir = ro.outputPath;
  if (!MakeDirectories(dir)) {
    std::fprintf(stderr, "kelvora-analyze: cannot create the folder %s\n", dir.c_str());
    return 1;
  }

  std::printf("Measuring %s%s%s%s with %s into %s/\n", effectText.c_str(),
              bundlePath.empty() ? "" : " (", bundlePath.c_str(), bundlePath.empty() ? "" : ")",
              settingsText.empty() ? "default settings" : settingsText.c_str(), dir.c_str());
  std::fflush(stdout);
  Measurements m(target, settings, MeasureConditions{}, ShowProgress);
  const MeasureConditions& c = m.Conditions();
  if (Wants(options, "transfer")) WriteTransfer(dir, m.MeasureTransfer());
  if (Wants(options, "harmonics"))
    WriteHarmonics(dir, m.MeasureHarmonics(), c.sampleRate, c.toneFft);
  if (Wants(options, "bias")) WriteBias(dir, m.MeasureBias());
  if (Wants(options, "aliasing")) {
    const auto rows = m.MeasureAliasing();
    WriteAliasing(dir, rows);
    PrintAliasing(rows);
  }
  if (Wants(options, "sweeps")) WriteSweeps(dir, m.MeasureSweeps());
  if (Wants(options, "cpu")) {
    const auto rows = m.MeasureCpu();
    WriteCpu(dir, rows);
    std::printf("Real-time factor (stereo, block %d):", ro.blockSize);
    for (const auto& r : rows)
      std::printf("  %dx %.1f", r.oversampling, r.realtimeFactor);
    std::printf("\n");
  }
  WriteConditions(dir, c, KaiserLobeBins(c.kaiserBeta),
                  {{"effect", effectText},
                   {"bundle", bundlePath},
                   {"settings", settingsText.empty() ? "defaults" : settingsText},
                   {"block_size", std::to_string(ro.blockSize)},
                   {"cpu_model", CpuModel()},
                   {"date", TodayUtc()}});
  std::fflush(stdout);

  if (options.plots) {
    const int status = RunPlotter(dir);
    if (status != 0) {
      std::fprintf(stderr,
                   "kelvora-analyze: plotting failed (status %d); the CSV files are in %s\n",
                   status, dir.c_str());
      return 1;
    }
  }
  std::printf("Wrote %s/\n", dir.c_str());
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "\nkelvora-analyze: %s\n", e.what());
    return 1;
  }
}

#include "AudioFile.h"
#include "BundleLookup.h"
#include "DemoSignal.h"
#include "Levels.h"
#include "PluginBundle.h"
#include "RenderEngine.h"
#include "RenderOptions.h"

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

namespace {

// Files longer than this show their progress.
constexpr double kProgressAfterSeconds = 30.0;

void PrintLevels(const char* what, const AudioBuffer& buffer) {
  const Levels l = MeasureLevels(buffer);
  std::printf("%-7s %d ch, %.0f Hz, %.2f s, peak %.2f dBFS, RMS %.2f dBFS\n", what,
              buffer.NumChannels(), buffer.sampleRate,
              static_cast<double>(buffer.NumFrames()) / buffer.sampleRate, l.peakDb, l.rmsDb);
}

// The effect either as a loaded plug-in or linked in; both take the same requests.
struct Effect {
  std::unique_ptr<PluginBundle> plugin;
  std::unique_ptr<RenderEngine> direct;

  bool SetParameter(const std::string& name, double value, std::string& error) {
    return plugin ? plugin->SetParameter(name, value, error)
                  : direct->SetParameter(name, value, error);
  }
  std::string Describe(bool withDefaults) const {
    return plugin ? plugin->DescribeParameters(withDefaults) : direct->DescribeParameters();
  }
  bool Process(const AudioBuffer& in, int blockSize, AudioBuffer& out, std::string& error,
               const RenderEngine::Progress& progress) {
    if (plugin) return plugin->Process(in, blockSize, out, error, progress);
    out = direct->Process(in, blockSize, progress);
    return true;
  }
};

int Run(int argc, char** argv) {
  RenderOptions options;
  std::string error;
  if (!ParseRenderOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "kelvora-render: %s\n(try --help)\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(RenderUsage(argv[0]).c_str(), stdout);
    return 0;
  }

  if (!options.listParams && !OutputTypeKnown(options.outputPath, error)) {
    std::fprintf(stderr, "kelvora-render: %s\n", error.c_str());
    return 2;
  }

  Effect engine;
  if (options.direct) {
    engine.direct = std::make_unique<RenderEngine>();
    if (options.seed) engine.direct->SetSeed(*options.seed);
  } else {
    const std::string bundle =
        options.pluginPath.empty() ? FindThisProgramsBundle(error) : options.pluginPath;
    engine.plugin = PluginBundleFor(bundle);
    if (bundle.empty() || !engine.plugin->Load(bundle, error)) {
      std::fprintf(stderr, "kelvora-render: %s\n", error.c_str());
      return 1;
    }
    std::printf("Plug-in: %s (%s)\n", engine.plugin->ClassName().c_str(), bundle.c_str());
  }
  for (const auto& [name, value] : options.params) {
    if (!engine.SetParameter(name, value, error)) {
      std::fprintf(stderr, "kelvora-render: %s", error.c_str());
      return 2;
    }
  }
  if (options.listParams) {
    std::fputs(engine.Describe(true).c_str(), stdout);
    return 0;
  }

  AudioBuffer input;
  if (options.inputPath.empty()) {
    input = MakeDemoSignal();
    std::printf("Input: built-in demo (plucked bass and chords)\n");
  } else {
    if (!ReadAudioFile(options.inputPath, input, error)) {
      std::fprintf(stderr, "kelvora-render: %s\n", error.c_str());
      return 1;
    }
    if (input.NumChannels() > 2) {
      std::fprintf(stderr, "kelvora-render: %s has %d channels; the effect takes 1 or 2\n",
                   options.inputPath.c_str(), input.NumChannels());
      return 1;
    }
    std::printf("Input: %s\n", options.inputPath.c_str());
  }

  const bool showProgress =
      static_cast<double>(input.NumFrames()) / input.sampleRate > kProgressAfterSeconds;
  const bool terminal = isatty(fileno(stderr));
  int lastShown = -1;
  AudioBuffer output;
  const bool rendered = engine.Process(input, options.blockSize, output, error, [&](double done) {
    const int percent = static_cast<int>(done * 100.0);
    if (!showProgress || percent == lastShown || (!terminal && percent % 10 != 0)) return;
    lastShown = percent;
    std::fprintf(stderr, terminal ? "\rRendering %3d %%" : "Rendering %3d %%\n", percent);
    if (terminal && percent == 100) std::fputc('\n', stderr);
  });
  if (!rendered) {
    std::fprintf(stderr, "kelvora-render: %s\n", error.c_str());
    return 1;
  }

  if (!WriteAudioFile(options.outputPath, output, error)) {
    std::fprintf(stderr, "kelvora-render: %s\n", error.c_str());
    return 1;
  }
  std::printf("Settings:\n%s", engine.Describe(false).c_str());
  if (options.seed) std::printf("Seed: %u\n", static_cast<unsigned>(*options.seed));
  PrintLevels("Input", input);
  PrintLevels("Output", output);
  std::printf("Wrote %s\n", options.outputPath.c_str());
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kelvora-render: %s\n", e.what());
    return 1;
  }
}

#include "Commands.h"

#include "DemoSignal.h"
#include "FloatWav.h"
#include "Levels.h"
#include "RenderOptions.h"
#include "TestSignal.h"
#include "Vst3Plugin.h"

#include <cstdio>

namespace {

// The hosts' programme of the Linux conformance checks (kelvora-conformance-audio signal
// programme.wav 0.6 48000): short enough that the effect's per-block jitter stays within what
// those checks allow, where the eight seconds of the demo at high drive go past it.
constexpr const char* kProgrammeFlag = "--programme";
constexpr double kProgrammeSeconds = 0.6;
constexpr double kProgrammeRate = 48000.0;

// The input the words ask for: the programme after the flag (which is taken out), else the demo.
AudioBuffer InputOf(std::vector<std::string>& args, std::size_t first) {
  for (std::size_t i = first; i < args.size(); ++i) {
    if (args[i] != kProgrammeFlag) continue;
    args.erase(args.begin() + static_cast<long>(i));
    return MakeTestSignal(kProgrammeSeconds, kProgrammeRate);
  }
  return MakeDemoSignal();
}

void PrintLevels(const char* what, const AudioBuffer& buffer) {
  const Levels l = MeasureLevels(buffer);
  std::printf("%-7s %d ch, %.0f Hz, %ld frames, peak %.2f dBFS, RMS %.2f dBFS\n", what,
              buffer.NumChannels(), buffer.sampleRate, buffer.NumFrames(), l.peakDb, l.rmsDb);
}

// The renderer's own command line, so that settings and block size read as kelvora-render's.
bool ParseSettings(const std::vector<std::string>& args, RenderOptions& options,
                   std::string& error) {
  if (args.size() < 2) {
    error = "render takes a bundle folder and an output file";
    return false;
  }
  std::vector<const char*> argv = {"render", "--plugin", args[0].c_str(), "-o", args[1].c_str()};
  for (std::size_t i = 2; i < args.size(); ++i)
    argv.push_back(args[i].c_str());
  if (!ParseRenderOptions(static_cast<int>(argv.size()), argv.data(), options, error)) return false;
  if (!options.inputPath.empty() || options.direct || options.listParams || options.help) {
    error = "render takes only \"Name=value\" settings and --block after its two files";
    return false;
  }
  return true;
}

} // namespace

int RunRender(std::vector<std::string> args) {
  const AudioBuffer input = InputOf(args, 2);
  RenderOptions options;
  std::string error;
  if (!ParseSettings(args, options, error)) {
    std::fprintf(stderr, "kelvora-win-host: %s\n", error.c_str());
    return 2;
  }
  Vst3Plugin plugin;
  if (!plugin.Load(options.pluginPath, error)) {
    std::fprintf(stderr, "kelvora-win-host: %s\n", error.c_str());
    return 1;
  }
  std::printf("Plug-in: %s (%s)\n", plugin.ClassName().c_str(), options.pluginPath.c_str());
  for (const auto& [name, value] : options.params) {
    if (!plugin.SetParameter(name, value, error)) {
      std::fprintf(stderr, "kelvora-win-host: %s", error.c_str());
      return 2;
    }
  }
  AudioBuffer output;
  if (!plugin.Process(input, options.blockSize, output, error) ||
      !WriteFloatWav(options.outputPath, output, error)) {
    std::fprintf(stderr, "kelvora-win-host: %s\n", error.c_str());
    return 1;
  }
  std::printf("Settings (blocks of %d):\n%s", options.blockSize,
              plugin.DescribeParameters(false).c_str());
  PrintLevels("Input", input);
  PrintLevels("Output", output);
  std::printf("Wrote %s\n", options.outputPath.c_str());
  return 0;
}

int RunDemo(std::vector<std::string> args) {
  const AudioBuffer demo = InputOf(args, 1);
  if (args.size() != 1) {
    std::fprintf(stderr, "kelvora-win-host: demo takes one output file and --programme\n");
    return 2;
  }
  std::string error;
  if (!WriteFloatWav(args[0], demo, error)) {
    std::fprintf(stderr, "kelvora-win-host: %s\n", error.c_str());
    return 1;
  }
  PrintLevels("Demo", demo);
  std::printf("Wrote %s\n", args[0].c_str());
  return 0;
}

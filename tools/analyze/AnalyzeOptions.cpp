#include "AnalyzeOptions.h"

#include <algorithm>

namespace {

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    parts.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  return parts;
}

} // namespace

const std::vector<std::string>& MeasurementNames() {
  static const std::vector<std::string> names = {"transfer", "harmonics", "bias",
                                                 "aliasing", "sweeps",    "cpu"};
  return names;
}

bool ParseAnalyzeOptions(int argc, const char* const* argv, AnalyzeOptions& out,
                         std::string& error) {
  // Our own options first; the rest is the renderer's command line.
  std::vector<const char*> rest = {argc > 0 ? argv[0] : "kelvora-analyze"};
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--no-plots") {
      out.plots = false;
    } else if (arg == "--only") {
      if (i + 1 >= argc) {
        error = "--only needs a value";
        return false;
      }
      for (const std::string& name : SplitCommas(argv[++i])) {
        const auto& known = MeasurementNames();
        if (std::find(known.begin(), known.end(), name) == known.end()) {
          error = "--only: no measurement is called \"" + name + "\"";
          return false;
        }
        out.only.push_back(name);
      }
    } else {
      rest.push_back(argv[i]);
    }
  }
  out.render.outputPath = "measured";
  if (!ParseRenderOptions(static_cast<int>(rest.size()), rest.data(), out.render, error))
    return false;
  if (!out.render.inputPath.empty()) {
    error = "kelvora-analyze makes its own test signals and reads no audio file (\"" +
            out.render.inputPath + "\"); give the output folder with -o";
    return false;
  }
  return true;
}

bool Wants(const AnalyzeOptions& options, const std::string& measurement) {
  return options.only.empty() ||
         std::find(options.only.begin(), options.only.end(), measurement) != options.only.end();
}

std::string AnalyzeUsage(const char* program) {
  return std::string("Usage: ") + program +
         " [options] [\"Name=value\" ...]\n"
         "\n"
         "Measures the Kelvora saturation effect at the given parameter settings and writes\n"
         "the results as CSV files and PNG plots into a folder:\n"
         "  transfer   output level against input level for a 1 kHz sine rising from\n"
         "             -60 to +12 dBFS, and output against input sample value (50 Hz)\n"
         "  harmonics  spectrum, THD and harmonics 2 to 9 of a 1 kHz sine at -12 and 0 dBFS\n"
         "  bias       harmonics of the 0 dBFS sine as \"Bias\" goes from 0 to 1\n"
         "  aliasing   energy off the harmonics against the fundamental, per \"Oversampling\"\n"
         "             setting, for 997 Hz and 12007 Hz at \"Input Gain\" 32 % and 200 %\n"
         "  sweeps     spectrogram of a 20 Hz to 20 kHz sine sweep per \"Oversampling\" setting\n"
         "  cpu        real-time factor per \"Oversampling\" setting on this machine\n"
         "All at 48 kHz; the FFTs use a Kaiser window (beta 20).\n"
         "\n"
         "By default the effect is the built Kelvora.vst3, loaded and driven as a DAW\n"
         "drives it; --direct measures the effect linked into this program instead, which\n"
         "with --seed repeats exactly. Parameters are set by name in their own units, as\n"
         "kelvora-render takes them; a measurement that varies a parameter sets it itself.\n"
         "\n"
         "Options:\n"
         "  -o, --output DIR   write into DIR (default: measured)\n"
         "  --only LIST        run only these measurements, comma separated\n"
         "  --no-plots         write the CSV files only\n"
         "  --plugin PATH      load this .vst3 or .lv2 bundle instead of the built one\n" +
         EffectOptionsHelp();
}

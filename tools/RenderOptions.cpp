#include "RenderOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

bool ParseNumber(const std::string& text, double& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  out = std::strtod(text.c_str(), &end);
  return errno == 0 && *end == '\0' && std::isfinite(out);
}

bool ParseUnsigned(const std::string& text, unsigned long long limit, unsigned long long& out) {
  if (text.empty() || text[0] == '-') return false;
  char* end = nullptr;
  errno = 0;
  out = std::strtoull(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0' && out <= limit;
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

} // namespace

bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions& out, std::string& error) {
  bool haveOutput = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& v) {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return false;
      }
      v = argv[++i];
      return true;
    };
    std::string v;
    unsigned long long n = 0;
    if (arg == "-h" || arg == "--help") {
      out.help = true;
    } else if (arg == "--list" || arg == "--list-params") {
      out.listParams = true;
    } else if (arg == "--direct") {
      out.direct = true;
    } else if (arg == "--plugin") {
      if (!value(out.pluginPath)) return false;
    } else if (arg == "-o" || arg == "--output") {
      if (!value(out.outputPath)) return false;
      haveOutput = true;
    } else if (arg == "--seed") {
      if (!value(v)) return false;
      if (!ParseUnsigned(v, 0xFFFFFFFFull, n)) {
        error = "--seed takes a whole number from 0 to 4294967295";
        return false;
      }
      out.seed = static_cast<std::uint32_t>(n);
    } else if (arg == "--block") {
      if (!value(v)) return false;
      if (!ParseUnsigned(v, 65536, n) || n == 0) {
        error = "--block takes a whole number from 1 to 65536";
        return false;
      }
      out.blockSize = static_cast<int>(n);
    } else if (arg.size() > 1 && arg[0] == '-' && arg.find('=') == std::string::npos) {
      error = "unknown option " + arg;
      return false;
    } else if (const auto eq = arg.find('='); eq != std::string::npos) {
      double number = 0.0;
      const std::string name = Trim(arg.substr(0, eq));
      if (name.empty() || !ParseNumber(Trim(arg.substr(eq + 1)), number)) {
        error = "\"" + arg + "\" is not of the form \"Name=number\"";
        return false;
      }
      out.params.emplace_back(name, number);
    } else if (out.inputPath.empty()) {
      out.inputPath = arg;
    } else if (!haveOutput) {
      out.outputPath = arg;
      haveOutput = true;
    } else {
      error = "too many file names: " + arg;
      return false;
    }
  }
  if (out.seed && !out.direct) {
    error = "--seed needs --direct: a loaded plug-in draws its own randomness";
    return false;
  }
  if (out.direct && !out.pluginPath.empty()) {
    error = "--direct and --plugin exclude each other";
    return false;
  }
  return true;
}

std::string RenderUsage(const char* program) {
  return std::string("Usage: ") + program +
         " [options] [input] [output] [\"Name=value\" ...]\n"
         "\n"
         "Renders an audio file (WAV, FLAC, AIFF, mono or stereo) through the Kelvora\n"
         "saturation effect at the file's sample rate. Without an input it renders a\n"
         "built-in demo (plucked bass and chords). The output type follows its extension\n"
         "(.wav 32-bit float, .flac or .aiff 24-bit); the default is kelvora-demo.wav.\n"
         "\n"
         "By default the effect is a Kelvora.vst3, loaded and driven as a DAW drives it\n"
         "(64-bit samples, offline mode): the one in the build folder this program sits\n"
         "in, else ~/.vst3/Kelvora.vst3, else /usr/lib/vst3/Kelvora.vst3. --direct\n"
         "renders with the effect linked into this program instead, which alone allows\n"
         "repeatable renders.\n"
         "\n"
         "Parameters are set by name in their own units, for example\n"
         "  \"Input Gain=80\" \"Wet=100\" Oversampling=2 React=1\n"
         "\n"
         "Options:\n"
         "  -o, --output FILE  write the result to FILE\n"
         "  --plugin PATH      load this .vst3 or .lv2 bundle instead\n" +
         EffectOptionsHelp();
}

std::string EffectOptionsHelp() {
  return "  --direct           use the linked-in effect instead of a plug-in bundle\n"
         "  --seed N           with --direct: seed the per-block randomness with N\n"
         "  --block N          block size in samples (default 512)\n"
         "  --list             list the parameters with their ranges and display texts\n"
         "  -h, --help         show this text\n";
}

#include "AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace {

struct SndfileCloser {
  void operator()(SNDFILE* f) const { sf_close(f); }
};
using SndfilePtr = std::unique_ptr<SNDFILE, SndfileCloser>;

std::string LowerExtension(const std::string& path) {
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return "";
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

constexpr sf_count_t kChunkFrames = 8192;

int OutputFormat(const std::string& ext) {
  if (ext == "wav") return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  if (ext == "flac") return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
  if (ext == "aif" || ext == "aiff") return SF_FORMAT_AIFF | SF_FORMAT_PCM_24;
  return 0;
}

} // namespace

bool ReadAudioFile(const std::string& path, AudioBuffer& out, std::string& error) {
  SF_INFO info{};
  SndfilePtr file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file) {
    error = "cannot open " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  if (info.channels < 1 || info.samplerate < 1) {
    error = path + " has no audio channels";
    return false;
  }
  out.sampleRate = info.samplerate;
  out.channels.assign(static_cast<std::size_t>(info.channels), {});
  std::vector<double> chunk(static_cast<std::size_t>(kChunkFrames * info.channels));
  sf_count_t got;
  while ((got = sf_readf_double(file.get(), chunk.data(), kChunkFrames)) > 0) {
    for (int ch = 0; ch < info.channels; ++ch)
      for (sf_count_t i = 0; i < got; ++i)
        out.channels[ch].push_back(chunk[static_cast<std::size_t>(i * info.channels + ch)]);
  }
  return true;
}

bool OutputTypeKnown(const std::string& path, std::string& error) {
  const std::string ext = LowerExtension(path);
  if (OutputFormat(ext) != 0) return true;
  error = "unknown output type \"" + ext + "\" (use .wav, .flac or .aiff)";
  return false;
}

bool WriteAudioFile(const std::string& path, const AudioBuffer& in, std::string& error) {
  if (!OutputTypeKnown(path, error)) return false;
  const std::string ext = LowerExtension(path);
  SF_INFO info{};
  info.format = OutputFormat(ext);
  info.channels = in.NumChannels();
  info.samplerate = static_cast<int>(in.sampleRate);
  if (!sf_format_check(&info)) {
    error = "cannot write " + std::to_string(info.channels) + " channels at " +
            std::to_string(info.samplerate) + " Hz as ." + ext;
    return false;
  }
  SndfilePtr file(sf_open(path.c_str(), SFM_WRITE, &info));
  if (!file) {
    error = "cannot create " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  // Integer formats clip instead of wrapping around; no time-stamped peak chunk, so that a
  // seeded render gives the same file every time.
  sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
  sf_command(file.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
  const long frames = in.NumFrames();
  std::vector<double> chunk(static_cast<std::size_t>(kChunkFrames * info.channels));
  for (long start = 0; start < frames; start += kChunkFrames) {
    const long len = std::min<long>(kChunkFrames, frames - start);
    for (long i = 0; i < len; ++i)
      for (int ch = 0; ch < info.channels; ++ch)
        chunk[static_cast<std::size_t>(i * info.channels + ch)] = in.channels[ch][start + i];
    if (sf_writef_double(file.get(), chunk.data(), len) != len) {
      error = "cannot write " + path + ": " + sf_strerror(file.get());
      return false;
    }
  }
  return true;
}

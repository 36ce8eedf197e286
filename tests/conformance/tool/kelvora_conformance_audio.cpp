// Audio side of the host conformance stage: writes the programme that hosts render, puts it
// into a host's recorded takes, and checks a host's render against the reference renderer.
#include "AlignedComparison.h"
#include "AudioFile.h"
#include "TestSignal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: kelvora-conformance-audio signal OUT.wav SECONDS RATE\n"
               "       kelvora-conformance-audio fill-take SIGNAL CHANNEL TAKE.wav\n"
               "       kelvora-conformance-audio compare HOST REFERENCE INPUT processed|input\n"
               "                                 [TOLERANCE] [MAX_LAG]\n");
  return 2;
}

bool Read(const std::string& path, AudioBuffer& buffer) {
  std::string error;
  if (ReadAudioFile(path, buffer, error)) return true;
  std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
  return false;
}

bool Write(const std::string& path, const AudioBuffer& buffer) {
  std::string error;
  if (WriteAudioFile(path, buffer, error)) return true;
  std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
  return false;
}

int WriteSignal(const std::string& path, double seconds, double rate) {
  if (!(seconds > 0) || !(rate > 0)) return Usage();
  return Write(path, MakeTestSignal(seconds, rate)) ? 0 : 1;
}

// A host that cannot import files still records: its take becomes the programme's channel,
// padded with silence to the take's own length so that the session's regions stay valid.
int FillTake(const std::string& signalPath, int channel, const std::string& takePath) {
  AudioBuffer signal, take;
  if (!Read(signalPath, signal) || !Read(takePath, take)) return 1;
  if (channel < 0 || channel >= signal.NumChannels() || take.NumChannels() != 1) {
    std::fprintf(stderr, "fill-take: channel %d of %d into a %d-channel take\n", channel,
                 signal.NumChannels(), take.NumChannels());
    return 1;
  }
  if (take.NumFrames() < signal.NumFrames() || take.sampleRate != signal.sampleRate) {
    std::fprintf(stderr, "fill-take: take has %ld frames at %g Hz, programme %ld at %g Hz\n",
                 take.NumFrames(), take.sampleRate, signal.NumFrames(), signal.sampleRate);
    return 1;
  }
  auto& samples = take.channels[0];
  samples.assign(samples.size(), 0.0);
  std::copy(signal.channels[channel].begin(), signal.channels[channel].end(), samples.begin());
  return Write(takePath, take) ? 0 : 1;
}

int Compare(const std::string& hostPath, const std::string& referencePath,
            const std::string& inputPath, const std::string& expect, double tolerance,
            long maxLag) {
  const bool processed = expect == "processed";
  if (!processed && expect != "input") return Usage();
  AudioBuffer host, reference, input;
  if (!Read(hostPath, host) || !Read(referencePath, reference) || !Read(inputPath, input)) {
    return 1;
  }
  if (host.sampleRate != reference.sampleRate) {
    std::printf("FAIL: host renders at %g Hz, reference at %g Hz\n", host.sampleRate,
                reference.sampleRate);
    return 1;
  }
  ComparisonResult result;
  std::string error;
  if (!CompareAligned(host, reference, maxLag, result, error)) {
    std::printf("FAIL: %s\n", error.c_str());
    return 1;
  }
  std::printf("host %ld frames, reference %ld; best fit at lag %ld (host minus reference), "
              "%ld frames compared; max |host - reference| %.3g, rms %.3g\n",
              host.NumFrames(), reference.NumFrames(), result.lag, result.comparedFrames,
              result.maxDifference, result.rmsDifference);
  bool ok = true;
  if (result.maxDifference > tolerance) {
    std::printf("FAIL: host output matches the reference at no lag within %ld frames "
                "(closest: %.3g, tolerance %.3g)\n",
                maxLag, result.maxDifference, tolerance);
    ok = false;
  } else {
    // The effect reports no latency, so a correct host delivers it unshifted and whole.
    if (result.lag != 0) {
      std::printf("FAIL: host output is shifted by %ld frames\n", result.lag);
      ok = false;
    }
    if (result.comparedFrames != reference.NumFrames()) {
      std::printf("FAIL: host output ends %ld frames early\n",
                  reference.NumFrames() - result.comparedFrames);
      ok = false;
    }
  }
  // A host that drops the effect passes the input on: for processing settings the output
  // must be clearly apart from the input, with bypass it must be the input.
  const double fromInput = MaxDifference(host, input);
  if (processed && fromInput < 20.0 * tolerance) {
    std::printf("FAIL: output is (nearly) the unprocessed input: max |host - input| %.3g\n",
                fromInput);
    ok = false;
  } else if (!processed && fromInput > 1e-6) {
    std::printf("FAIL: bypassed output differs from the input by %.3g\n", fromInput);
    ok = false;
  } else {
    std::printf("max |host - input| %.3g\n", fromInput);
  }
  return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "signal" && argc == 5) {
    return WriteSignal(argv[2], std::atof(argv[3]), std::atof(argv[4]));
  }
  if (command == "fill-take" && argc == 5) return FillTake(argv[2], std::atoi(argv[3]), argv[4]);
  if (command == "compare" && argc >= 6 && argc <= 8) {
    const double tolerance = argc >= 7 ? std::atof(argv[6]) : 5e-4;
    const long maxLag = argc >= 8 ? std::atol(argv[7]) : 4096;
    return Compare(argv[2], argv[3], argv[4], argv[5], tolerance, maxLag);
  }
  return Usage();
}

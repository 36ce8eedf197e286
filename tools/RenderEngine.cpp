#include "RenderEngine.h"

#include "Kelvora.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>

namespace {

bool SameName(const std::string& a, const char* b) {
  const std::string bs(b);
  return a.size() == bs.size() &&
         std::equal(a.begin(), a.end(), bs.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

} // namespace

void RenderEngine::Release::operator()(Kelvora* instance) const {
  instance->release();
}

RenderEngine::RenderEngine() : effect(new Kelvora(InstanceInfo{})) {}

RenderEngine::~RenderEngine() = default;

bool RenderEngine::SetParameter(const std::string& name, double value, std::string& error) {
  if (!std::isfinite(value)) {
    error = "the value for \"" + name + "\" is not a number";
    return false;
  }
  for (int i = 0; i < effect->NParams(); ++i) {
    IParam* p = effect->GetParam(i);
    if (SameName(name, p->Name())) {
      p->SetValue(value);
      return true;
    }
  }
  error = "no parameter is called \"" + name + "\"; the parameters are:\n" + DescribeParameters();
  return false;
}

std::string RenderEngine::DescribeParameters() const {
  std::string text;
  for (int i = 0; i < effect->NParams(); ++i) {
    const IParam* p = effect->GetParam(i);
    std::string shown;
    p->FormatDisplay(p->Value(), false, shown);
    char line[160];
    std::snprintf(line, sizeof line, "  %-14s %g..%g, now %s%s\n", p->Name(), p->Min(), p->Max(),
                  shown.c_str(), p->Label());
    text += line;
  }
  return text;
}

void RenderEngine::SetSeed(std::uint32_t seed) {
  effect->SetSeedSource([generator = std::mt19937(seed)]() mutable {
    return static_cast<std::uint32_t>(generator());
  });
}

AudioBuffer RenderEngine::Process(const AudioBuffer& in, int blockSize, const Progress& progress) {
  if (in.NumChannels() < 1 || in.NumChannels() > 2)
    throw std::invalid_argument("the effect takes one or two channels");
  blockSize = std::max(1, blockSize);
  const long frames = in.NumFrames();

  effect->SetSampleRate(in.sampleRate);
  effect->ResizeScratch(blockSize);
  effect->ResetProcessing();

  // The effect always runs two channels; a mono file feeds both and keeps the first.
  std::vector<double> inL(blockSize), inR(blockSize), outL(blockSize), outR(blockSize);
  double* inputs[2] = {inL.data(), inR.data()};
  double* outputs[2] = {outL.data(), outR.data()};
  const std::vector<double>& srcL = in.channels[0];
  const std::vector<double>& srcR = in.channels[in.NumChannels() - 1];

  AudioBuffer out;
  out.sampleRate = in.sampleRate;
  out.channels.assign(in.channels.size(), std::vector<double>(static_cast<std::size_t>(frames)));
  for (long start = 0; start < frames; start += blockSize) {
    const int len = static_cast<int>(std::min<long>(blockSize, frames - start));
    std::copy_n(srcL.begin() + start, len, inL.begin());
    std::copy_n(srcR.begin() + start, len, inR.begin());
    effect->RenderBlock(inputs, outputs, len);
    std::copy_n(outL.begin(), len, out.channels[0].begin() + start);
    if (out.NumChannels() == 2) std::copy_n(outR.begin(), len, out.channels[1].begin() + start);
    if (progress) progress(static_cast<double>(start + len) / static_cast<double>(frames));
  }
  return out;
}

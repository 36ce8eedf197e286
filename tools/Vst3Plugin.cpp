#include "Vst3Plugin.h"

#include "HostParameterChanges.h"
#include "Utf16Text.h"
#include "Vst3Module.h"

#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

template <class I> IPtr<I> QueryAs(FUnknown* unknown) {
  void* obj = nullptr;
  if (!unknown || unknown->queryInterface(I::iid, &obj) != kResultOk) return nullptr;
  return owned(static_cast<I*>(obj));
}

} // namespace

Vst3Plugin::Vst3Plugin() : pending(owned(new HostParameterChanges)) {}

Vst3Plugin::~Vst3Plugin() {
  Unload();
}

void Vst3Plugin::Unload() {
  if (component) component->terminate();
  controller = nullptr;
  processor = nullptr;
  component = nullptr;
  module = nullptr;
}

bool Vst3Plugin::Load(const std::string& bundlePath, std::string& error) {
  Unload();
  module = std::make_unique<Vst3Module>(bundlePath);
  const std::string& binary = module->binaryPath();
  if (!module->loaded()) {
    error = module->handle() ? binary + ": " + module->error()
                             : "cannot load " + binary + ": " + module->error();
    return false;
  }
  IPluginFactory* factory = module->factory();

  host = std::make_unique<HostApplication>();
  for (int32 i = 0; i < factory->countClasses(); ++i) {
    PClassInfo info{};
    if (factory->getClassInfo(i, &info) != kResultOk ||
        std::strcmp(info.category, kVstAudioEffectClass) != 0)
      continue;
    void* obj = nullptr;
    if (factory->createInstance(info.cid, IComponent::iid, &obj) != kResultOk || !obj) continue;
    component = owned(static_cast<IComponent*>(obj));
    if (component->initialize(host.get()) != kResultOk) {
      component = nullptr;
      continue;
    }
    processor = QueryAs<IAudioProcessor>(component);
    controller = QueryAs<IEditController>(component);
    if (processor && controller) {
      className = info.name;
      return true;
    }
    component->terminate();
    component = nullptr;
  }
  error = binary + " offers no single-component audio effect";
  return false;
}

std::string Vst3Plugin::TextOf(ParamID id, double normalized) const {
  String128 text{};
  if (controller->getParamStringByValue(id, normalized, text) != kResultOk) return "?";
  return Utf16ToUtf8(text, 128, 512);
}

std::vector<Vst3Plugin::Parameter> Vst3Plugin::Parameters() const {
  std::vector<Parameter> list;
  for (int32 i = 0; controller && i < controller->getParameterCount(); ++i) {
    ParameterInfo info{};
    if (controller->getParameterInfo(i, info) != kResultOk) continue;
    Parameter p;
    p.id = info.id;
    p.title = Utf16ToUtf8(info.title, 128, 512);
    p.units = Utf16ToUtf8(info.units, 128, 512);
    p.min = controller->normalizedParamToPlain(info.id, 0.0);
    p.max = controller->normalizedParamToPlain(info.id, 1.0);
    p.minText = TextOf(info.id, 0.0);
    p.maxText = TextOf(info.id, 1.0);
    p.defaultText = TextOf(info.id, info.defaultNormalizedValue);
    p.currentText = TextOf(info.id, controller->getParamNormalized(info.id));
    p.isBypass = (info.flags & ParameterInfo::kIsBypass) != 0;
    list.push_back(p);
  }
  return list;
}

bool Vst3Plugin::SetParameter(const std::string& name, double plainValue, std::string& error) {
  if (!std::isfinite(plainValue)) {
    error = "the value for \"" + name + "\" is not a number";
    return false;
  }
  for (const Parameter& p : Parameters()) {
    if (p.isBypass || !SameName(name, p.title)) continue;
    const double normalized =
        std::clamp(controller->plainParamToNormalized(p.id, plainValue), 0.0, 1.0);
    // The controller shows the value at once; the processor receives it with the first block.
    controller->setParamNormalized(p.id, normalized);
    pending->Add(p.id, normalized);
    return true;
  }
  error =
      "no parameter is called \"" + name + "\"; the parameters are:\n" + DescribeParameters(false);
  return false;
}

std::string Vst3Plugin::DescribeParameters(bool withDefaults) const {
  std::string text;
  for (const Parameter& p : Parameters()) {
    // The settings list shows what a name can set; the host's bypass is not among that.
    if (p.isBypass && !withDefaults) continue;
    const std::string unit = p.units.empty() ? "" : " " + p.units;
    char line[400];
    if (withDefaults)
      std::snprintf(line, sizeof line, "  %-14s %s..%s%s, default %s%s%s\n", p.title.c_str(),
                    p.minText.c_str(), p.maxText.c_str(), unit.c_str(), p.defaultText.c_str(),
                    unit.c_str(), p.isBypass ? "  (the host's bypass switch)" : "");
    else
      std::snprintf(line, sizeof line, "  %-14s %g..%g, now %s%s\n", p.title.c_str(), p.min, p.max,
                    p.currentText.c_str(), unit.c_str());
    text += line;
  }
  return text;
}

bool Vst3Plugin::Process(const AudioBuffer& in, int blockSize, AudioBuffer& out, std::string& error,
                         const Progress& progress) {
  const int channels = in.NumChannels();
  if (!processor || channels < 1 || channels > 2) {
    error = "the effect takes one or two channels";
    return false;
  }
  blockSize = std::max(1, blockSize);
  SpeakerArrangement arrangement = channels == 1 ? SpeakerArr::kMono : SpeakerArr::kStereo;
  if (processor->setBusArrangements(&arrangement, 1, &arrangement, 1) != kResultTrue) {
    error = "the plug-in refuses a " + std::string(channels == 1 ? "mono" : "stereo") + " layout";
    return false;
  }
  component->activateBus(kAudio, kInput, 0, true);
  component->activateBus(kAudio, kOutput, 0, true);
  ProcessSetup setup{kOffline, kSample64, blockSize, in.sampleRate};
  if (processor->setupProcessing(setup) != kResultTrue) {
    error = "the plug-in refuses the sample rate or block size";
    return false;
  }
  component->setActive(true);
  processor->setProcessing(true);

  const long frames = in.NumFrames();
  out.sampleRate = in.sampleRate;
  out.channels.assign(static_cast<size_t>(channels),
                      std::vector<double>(static_cast<size_t>(frames)));
  std::vector<std::vector<double>> inBlock(channels, std::vector<double>(blockSize));
  double* inPointers[2] = {};
  double* outPointers[2] = {};
  for (int ch = 0; ch < channels; ++ch)
    inPointers[ch] = inBlock[static_cast<size_t>(ch)].data();

  AudioBusBuffers inputs{};
  AudioBusBuffers outputs{};
  inputs.numChannels = outputs.numChannels = channels;
  inputs.channelBuffers64 = inPointers;
  outputs.channelBuffers64 = outPointers;
  ProcessContext context{};
  context.sampleRate = in.sampleRate;
  context.tempo = 120.0;
  context.timeSigNumerator = context.timeSigDenominator = 4;
  context.state = ProcessContext::kPlaying | ProcessContext::kTempoValid |
                  ProcessContext::kTimeSigValid | ProcessContext::kProjectTimeMusicValid;

  ProcessData data{};
  data.processMode = kOffline;
  data.symbolicSampleSize = kSample64;
  data.numInputs = data.numOutputs = 1;
  data.inputs = &inputs;
  data.outputs = &outputs;
  data.processContext = &context;
  data.inputParameterChanges = pending;
  for (long start = 0; start < frames; start += blockSize) {
    const int len = static_cast<int>(std::min<long>(blockSize, frames - start));
    for (int ch = 0; ch < channels; ++ch) {
      const std::vector<double>& source = in.channels[static_cast<size_t>(ch)];
      std::copy_n(source.begin() + start, len, inBlock[static_cast<size_t>(ch)].begin());
      outPointers[ch] = out.channels[static_cast<size_t>(ch)].data() + start;
    }
    context.projectTimeSamples = start;
    context.projectTimeMusic = static_cast<double>(start) / in.sampleRate * 2.0;
    data.numSamples = len;
    processor->process(data);
    // Parameter changes travel once, with the first block.
    pending->Clear();
    if (progress) progress(static_cast<double>(start + len) / static_cast<double>(frames));
  }

  processor->setProcessing(false);
  component->setActive(false);
  return true;
}

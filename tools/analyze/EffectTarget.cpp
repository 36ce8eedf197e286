#include "EffectTarget.h"

#include "PluginBundle.h"
#include "RenderEngine.h"

EffectTarget::EffectTarget() = default;
EffectTarget::~EffectTarget() = default;

bool EffectTarget::LoadPlugin(const std::string& bundlePath, std::string& error) {
  direct.reset();
  plugin = PluginBundleFor(bundlePath);
  return plugin->Load(bundlePath, error);
}

void EffectTarget::UseLinkedEffect(std::optional<std::uint32_t> seedValue) {
  plugin.reset();
  direct = std::make_unique<RenderEngine>();
  seed = seedValue;
}

std::string EffectTarget::Describe() const {
  if (plugin) return plugin->DescribeParameters(false);
  return direct ? direct->DescribeParameters() : std::string();
}

bool EffectTarget::SetParameter(const std::string& name, double value, std::string& error) {
  if (plugin) return plugin->SetParameter(name, value, error);
  if (direct) return direct->SetParameter(name, value, error);
  error = "no effect loaded";
  return false;
}

bool EffectTarget::Run(AudioBuffer& buffer, std::string& error) {
  if (plugin) {
    AudioBuffer out;
    if (!plugin->Process(buffer, blockSize, out, error)) return false;
    buffer = std::move(out);
    return true;
  }
  if (!direct) {
    error = "no effect loaded";
    return false;
  }
  // Each measurement repeats on its own, whatever ran before it.
  if (seed) direct->SetSeed(*seed);
  buffer = direct->Process(buffer, blockSize);
  return true;
}

bool EffectTarget::Process(const std::vector<double>& in, double sampleRate,
                           std::vector<double>& out, std::string& error) {
  AudioBuffer buffer;
  buffer.sampleRate = sampleRate;
  buffer.channels = {in};
  if (!Run(buffer, error)) return false;
  out = std::move(buffer.channels[0]);
  return true;
}

bool EffectTarget::ProcessStereo(const std::vector<double>& left, const std::vector<double>& right,
                                 double sampleRate, std::string& error) {
  AudioBuffer buffer;
  buffer.sampleRate = sampleRate;
  buffer.channels = {left, right};
  return Run(buffer, error);
}

#pragma once

#include "AnalysisTarget.h"
#include "AudioBuffer.h"

#include <cstdint>
#include <memory>
#include <optional>

class RenderEngine;
class PluginBundle;

// The Kelvora effect as the renderer runs it: the built plug-in bundle driven as a host drives
// it, or the effect linked in (which alone repeats exactly, given a seed).
class EffectTarget : public AnalysisTarget {
public:
  EffectTarget();
  ~EffectTarget() override;

  bool LoadPlugin(const std::string& bundlePath, std::string& error);
  void UseLinkedEffect(std::optional<std::uint32_t> seed);
  void SetBlockSize(int frames) { blockSize = frames; }
  std::string Describe() const;

  bool SetParameter(const std::string& name, double value, std::string& error) override;
  bool Process(const std::vector<double>& in, double sampleRate, std::vector<double>& out,
               std::string& error) override;
  bool ProcessStereo(const std::vector<double>& left, const std::vector<double>& right,
                     double sampleRate, std::string& error) override;

private:
  bool Run(AudioBuffer& buffer, std::string& error);

  std::unique_ptr<PluginBundle> plugin;
  std::unique_ptr<RenderEngine> direct;
  std::optional<std::uint32_t> seed;
  int blockSize = 512;
};

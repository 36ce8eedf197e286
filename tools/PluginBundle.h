#pragma once

#include "AudioBuffer.h"

#include <functional>
#include <memory>
#include <string>

// A plug-in bundle loaded and driven the way a host drives its format, for offline rendering.
class PluginBundle {
public:
  // Fraction of the input done so far, 0..1.
  using Progress = std::function<void(double)>;

  virtual ~PluginBundle() = default;

  // False and a reason when the bundle cannot be loaded or offers no usable effect.
  virtual bool Load(const std::string& bundlePath, std::string& error) = 0;
  virtual const std::string& ClassName() const = 0;
  // Sets a parameter by its name (case-insensitive) to a value in its own unit. The host's
  // bypass is not reachable by name: the plug-in's own parameters come first.
  virtual bool SetParameter(const std::string& name, double plainValue, std::string& error) = 0;
  // One line per parameter: with defaults, every parameter's range and default, the host's
  // bypass marked; without, the parameters SetParameter can set, with range, current value and
  // unit.
  virtual std::string DescribeParameters(bool withDefaults) const = 0;
  // Renders a mono or stereo buffer at its own sample rate in blocks of blockSize samples.
  virtual bool Process(const AudioBuffer& in, int blockSize, AudioBuffer& out, std::string& error,
                       const Progress& progress = {}) = 0;
};

// A host of the bundle's format, by its folder's name: LV2 for "*.lv2", else VST 3. Not loaded.
std::unique_ptr<PluginBundle> PluginBundleFor(const std::string& bundlePath);

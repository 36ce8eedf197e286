#pragma once

#include "AudioBuffer.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class HostParameterChanges;
class Vst3Module;
namespace Steinberg::Vst {
class HostApplication;
}

// A VST 3 effect module (a ".vst3" bundle) loaded and driven the way a host drives it, for
// offline rendering: dlopen, ModuleEntry, the factory's first audio effect class, initialize,
// buses, setupProcessing, setActive, setProcessing, process in blocks.
class Vst3Plugin {
public:
  // Fraction of the input done so far, 0..1.
  using Progress = std::function<void(double)>;

  struct Parameter {
    Steinberg::Vst::ParamID id;
    std::string title;
    std::string units;
    double min, max; // plain values at normalised 0 and 1
    std::string minText, maxText, defaultText, currentText;
    bool isBypass;
  };

  Vst3Plugin();
  ~Vst3Plugin();
  Vst3Plugin(const Vst3Plugin&) = delete;
  Vst3Plugin& operator=(const Vst3Plugin&) = delete;

  // False and a reason when the bundle cannot be loaded or offers no usable effect.
  bool Load(const std::string& bundlePath, std::string& error);
  const std::string& ClassName() const { return className; }

  std::vector<Parameter> Parameters() const;
  // Sets a parameter by its title (case-insensitive) to a value in its own unit. The host
  // bypass is not reachable by name: the plug-in's own parameters come first.
  bool SetParameter(const std::string& name, double plainValue, std::string& error);
  // One line per parameter: with defaults, every parameter's range and default, the host's
  // bypass marked; without, the parameters SetParameter can set, with range, current value and
  // unit.
  std::string DescribeParameters(bool withDefaults) const;

  // Renders a mono or stereo buffer at its own sample rate in blocks of blockSize samples.
  bool Process(const AudioBuffer& in, int blockSize, AudioBuffer& out, std::string& error,
               const Progress& progress = {});

private:
  std::string TextOf(Steinberg::Vst::ParamID id, double normalized) const;
  void Unload();

  std::unique_ptr<Vst3Module> module;
  std::unique_ptr<Steinberg::Vst::HostApplication> host;
  Steinberg::IPtr<Steinberg::Vst::IComponent> component;
  Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processor;
  Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
  Steinberg::IPtr<HostParameterChanges> pending;
  std::string className;
};

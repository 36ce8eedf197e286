#pragma once

#include "AudioBuffer.h"
#include "PluginBundle.h"

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
class Vst3Plugin : public PluginBundle {
public:
  struct Parameter {
    Steinberg::Vst::ParamID id;
    std::string title;
    std::string units;
    double min, max; // plain values at normalised 0 and 1
    std::string minText, maxText, defaultText, currentText;
    bool isBypass;
  };

  Vst3Plugin();
  ~Vst3Plugin() override;
  Vst3Plugin(const Vst3Plugin&) = delete;
  Vst3Plugin& operator=(const Vst3Plugin&) = delete;

  bool Load(const std::string& bundlePath, std::string& error) override;
  const std::string& ClassName() const override { return className; }

  std::vector<Parameter> Parameters() const;
  bool SetParameter(const std::string& name, double plainValue, std::string& error) override;
  std::string DescribeParameters(bool withDefaults) const override;
  bool Process(const AudioBuffer& in, int blockSize, AudioBuffer& out, std::string& error,
               const Progress& progress = {}) override;

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

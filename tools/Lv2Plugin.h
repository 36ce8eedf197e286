#pragma once

#include "PluginBundle.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// An LV2 bundle (a ".lv2" folder) loaded through lilv and driven the way a host drives it, for
// offline rendering: its Turtle read, the plug-in whose audio ports match the input's channels
// instantiated with URID map and unmap, block length options and bounded block length, ports
// connected, activate, run in blocks, deactivate.
class Lv2Plugin : public PluginBundle {
public:
  // A control input as the bundle describes it.
  struct Control {
    std::string symbol;
    std::string name;
    std::string unit; // "%" and the like, "" for none
    float min = 0.f, max = 1.f, defaultValue = 0.f;
    bool toggled = false;
    std::vector<std::string> labels; // an enumeration's, value 0 first
    bool isEnabled = false;          // the host's bypass (lv2:enabled)
  };

  Lv2Plugin();
  ~Lv2Plugin() override;
  Lv2Plugin(const Lv2Plugin&) = delete;
  Lv2Plugin& operator=(const Lv2Plugin&) = delete;

  bool Load(const std::string& bundlePath, std::string& error) override;
  const std::string& ClassName() const override { return className; }

  // The control inputs of the plug-in with the most channels, in port order.
  const std::vector<Control>& Controls() const { return controls; }
  bool SetParameter(const std::string& name, double plainValue, std::string& error) override;
  std::string DescribeParameters(bool withDefaults) const override;
  bool Process(const AudioBuffer& in, int blockSize, AudioBuffer& out, std::string& error,
               const Progress& progress = {}) override;

private:
  class World;

  std::string ValueText(const Control& control, float value) const;

  std::unique_ptr<World> world;
  std::vector<Control> controls;
  std::vector<float> values; // one per control
  std::string className;
};

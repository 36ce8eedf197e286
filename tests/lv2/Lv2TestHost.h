#pragma once

#include "KelvoraLv2.h"
#include "KelvoraParamTable.h"
#include "Lv2PluginClass.h"

#include "lv2/atom/atom.h"
#include "lv2/buf-size/buf-size.h"
#include "lv2/options/options.h"
#include "lv2/urid/urid.h"

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

// A host of the module's plug-in classes in this process, through their descriptors: the
// features it passes are the test's choice, every port is connected to storage of its own, and
// control ports start at the table's defaults.
class Lv2TestHost {
public:
  // The URID map a host offers; counts the URIs it is asked for.
  struct UridMap {
    std::map<std::string, LV2_URID> ids;
    LV2_URID_Map map{this, [](LV2_URID_Map_Handle h, const char* uri) {
                       auto& ids = static_cast<UridMap*>(h)->ids;
                       return ids.emplace(uri, static_cast<LV2_URID>(ids.size() + 1)).first->second;
                     }};
    LV2_URID operator()(const char* uri) { return map.map(this, uri); }
  };

  // The features of a host that announces its block length: URID map and options.
  struct FullFeatures {
    explicit FullFeatures(UridMap& urids, int32_t maxBlock) : maxBlock(maxBlock) {
      options[0] = {LV2_OPTIONS_INSTANCE,
                    0,
                    urids(LV2_BUF_SIZE__maxBlockLength),
                    sizeof(int32_t),
                    urids(LV2_ATOM__Int),
                    &this->maxBlock};
      mapFeature = {LV2_URID__map, &urids.map};
      optionsFeature = {LV2_OPTIONS__options, options};
    }
    const LV2_Feature* const* Get() const { return list; }

    int32_t maxBlock;
    LV2_Options_Option options[2] = {};
    LV2_Feature mapFeature{}, optionsFeature{};
    const LV2_Feature* list[3] = {&mapFeature, &optionsFeature, nullptr};
  };

  Lv2TestHost(int classIndex, const LV2_Feature* const* features, double rate = 48000.0)
      : descriptor(&Lv2PluginClassAt(static_cast<uint32_t>(classIndex))->descriptor),
        channels(Lv2PluginClassAt(static_cast<uint32_t>(classIndex))->channels),
        handle(descriptor->instantiate(descriptor, rate, "/nowhere/Kelvora.lv2/", features)) {
    if (!handle) return;
    const Lv2PortLayout layout = Plug().Ports();
    controls.resize(kKelvoraParams.size());
    for (size_t i = 0; i < controls.size(); ++i) {
      controls[i] = static_cast<float>(kKelvoraParams[i].defaultValue);
      descriptor->connect_port(handle, layout.Control(static_cast<int>(i)), &controls[i]);
    }
    descriptor->connect_port(handle, layout.Enabled(), &enabled);
    descriptor->activate(handle);
  }
  ~Lv2TestHost() {
    if (!handle) return;
    descriptor->deactivate(handle);
    descriptor->cleanup(handle);
  }
  Lv2TestHost(const Lv2TestHost&) = delete;
  Lv2TestHost& operator=(const Lv2TestHost&) = delete;

  bool Instantiated() const { return handle != nullptr; }
  KelvoraLv2& Plug() { return *static_cast<KelvoraLv2*>(static_cast<IPlugLV2*>(handle)); }
  double ParamValue(int idx) { return Plug().GetParam(idx)->Value(); }
  void SetSeed(uint32_t seed) {
    Plug().SetSeedSource([generator = std::mt19937(seed)]() mutable {
      return static_cast<std::uint32_t>(generator());
    });
  }

  // The input (one vector per channel, all of one length) rendered in runs of `runLength`.
  std::vector<std::vector<float>> Render(const std::vector<std::vector<float>>& input,
                                         int runLength) {
    const size_t frames = input[0].size();
    std::vector<std::vector<float>> in = input, out(input.size(), std::vector<float>(frames));
    const Lv2PortLayout layout = Plug().Ports();
    for (size_t start = 0; start < frames; start += static_cast<size_t>(runLength)) {
      const size_t n = std::min(frames - start, static_cast<size_t>(runLength));
      for (int c = 0; c < channels; ++c) {
        descriptor->connect_port(handle, layout.AudioIn(c),
                                 in[static_cast<size_t>(c)].data() + start);
        descriptor->connect_port(handle, layout.AudioOut(c),
                                 out[static_cast<size_t>(c)].data() + start);
      }
      descriptor->run(handle, static_cast<uint32_t>(n));
    }
    return out;
  }

  const LV2_Descriptor* descriptor;
  const int channels;
  LV2_Handle handle;
  std::vector<float> controls; // in parameter order
  float enabled = 1.f;
};

// A test signal: a sine per channel at an amplitude that drives the saturation.
inline std::vector<std::vector<float>> Lv2TestSignal(int channels, size_t frames) {
  std::vector<std::vector<float>> signal(static_cast<size_t>(channels), std::vector<float>(frames));
  for (size_t c = 0; c < signal.size(); ++c)
    for (size_t s = 0; s < frames; ++s)
      signal[c][s] =
          static_cast<float>(0.7 * std::sin(0.013 * static_cast<double>(s) * (1.0 + 0.5 * c)));
  return signal;
}

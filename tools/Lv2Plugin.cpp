#include "Lv2Plugin.h"

#include "lilv/lilv.h"
#include "lv2/atom/atom.h"
#include "lv2/buf-size/buf-size.h"
#include "lv2/core/lv2.h"
#include "lv2/options/options.h"
#include "lv2/units/units.h"
#include "lv2/urid/urid.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

struct NodeFree {
  void operator()(LilvNode* node) const { lilv_node_free(node); }
};
using Node = std::unique_ptr<LilvNode, NodeFree>;

// Units the units extension names, by the symbol kelvora-render prints.
struct UnitSymbol {
  const char* uri;
  const char* symbol;
};
constexpr UnitSymbol kUnitSymbols[] = {{LV2_UNITS__pc, "%"},
                                       {LV2_UNITS__db, "dB"},
                                       {LV2_UNITS__hz, "Hz"},
                                       {LV2_UNITS__ms, "ms"},
                                       {LV2_UNITS__s, "s"}};

std::string UnitOf(const LilvNode* unit) {
  if (!unit || !lilv_node_is_uri(unit)) return "";
  const std::string uri = lilv_node_as_uri(unit);
  for (const UnitSymbol& known : kUnitSymbols)
    if (uri == known.uri) return known.symbol;
  return "";
}

} // namespace

// The lilv world of one bundle, with the URID map its instances are given.
class Lv2Plugin::World {
public:
  World() : world(lilv_world_new()) {
    map.handle = this;
    map.map = [](LV2_URID_Map_Handle handle, const char* uri) {
      return static_cast<World*>(handle)->Map(uri);
    };
    unmap.handle = this;
    unmap.unmap = [](LV2_URID_Unmap_Handle handle, LV2_URID urid) {
      return static_cast<World*>(handle)->Unmap(urid);
    };
  }
  ~World() { lilv_world_free(world); }
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  Node NewUri(const char* uri) const { return Node(lilv_new_uri(world, uri)); }

  LV2_URID Map(const char* uri) {
    const auto [it, added] = urids.emplace(uri ? uri : "", static_cast<LV2_URID>(urids.size() + 1));
    if (added) uris.push_back(it->first);
    return it->second;
  }
  const char* Unmap(LV2_URID urid) const {
    return urid >= 1 && urid <= uris.size() ? uris[urid - 1].c_str() : nullptr;
  }

  LilvWorld* world;
  std::vector<const LilvPlugin*> plugins; // the bundle's, in the world's order
  LV2_URID_Map map{};
  LV2_URID_Unmap unmap{};

private:
  std::map<std::string, LV2_URID> urids;
  std::vector<std::string> uris;
};

Lv2Plugin::Lv2Plugin() = default;
Lv2Plugin::~Lv2Plugin() = default;

bool Lv2Plugin::Load(const std::string& bundlePath, std::string& error) {
  world = std::make_unique<World>();
  controls.clear();
  values.clear();
  std::string folder = bundlePath;
  while (folder.size() > 1 && folder.back() == '/')
    folder.pop_back();
  const Node bundleUri(lilv_new_file_uri(world->world, nullptr, (folder + "/").c_str()));
  if (!bundleUri) {
    error = "cannot read the LV2 bundle " + bundlePath;
    return false;
  }
  lilv_world_load_bundle(world->world, bundleUri.get());
  const LilvPlugins* all = lilv_world_get_all_plugins(world->world);
  LILV_FOREACH(plugins, i, all) {
    const LilvPlugin* plugin = lilv_plugins_get(all, i);
    if (lilv_node_equals(lilv_plugin_get_bundle_uri(plugin), bundleUri.get()))
      world->plugins.push_back(plugin);
  }
  if (world->plugins.empty()) {
    error = bundlePath + " holds no readable LV2 plug-in";
    return false;
  }

  // lilv lists plug-ins by URI; the widest comes first, as hosts offer it for a stereo track.
  const Node input = world->NewUri(LV2_CORE__InputPort);
  const Node audio = world->NewUri(LV2_CORE__AudioPort);
  const auto audioInputs = [&](const LilvPlugin* plugin) {
    return lilv_plugin_get_num_ports_of_class(plugin, audio.get(), input.get(), nullptr);
  };
  std::stable_sort(
      world->plugins.begin(), world->plugins.end(),
      [&](const LilvPlugin* a, const LilvPlugin* b) { return audioInputs(a) > audioInputs(b); });
  const LilvPlugin* first = world->plugins.front();
  const Node name(lilv_plugin_get_name(first));
  className = name ? lilv_node_as_string(name.get()) : "";
  const Node control = world->NewUri(LV2_CORE__ControlPort);
  const Node toggled = world->NewUri(LV2_CORE__toggled);
  const Node unitUri = world->NewUri(LV2_UNITS__unit);
  const Node enabledUri = world->NewUri(LV2_CORE__enabled);
  const LilvPort* enabledPort =
      lilv_plugin_get_port_by_designation(first, input.get(), enabledUri.get());
  for (uint32_t p = 0; p < lilv_plugin_get_num_ports(first); ++p) {
    const LilvPort* port = lilv_plugin_get_port_by_index(first, p);
    if (!lilv_port_is_a(first, port, input.get()) || !lilv_port_is_a(first, port, control.get()))
      continue;
    Control c;
    c.symbol = lilv_node_as_string(lilv_port_get_symbol(first, port));
    const Node portName(lilv_port_get_name(first, port));
    c.name = portName ? lilv_node_as_string(portName.get()) : c.symbol;
    const Node unit(lilv_port_get(first, port, unitUri.get()));
    c.unit = UnitOf(unit.get());
    LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
    lilv_port_get_range(first, port, &def, &min, &max);
    const Node defNode(def), minNode(min), maxNode(max);
    c.defaultValue = def ? lilv_node_as_float(def) : 0.f;
    c.min = min ? lilv_node_as_float(min) : 0.f;
    c.max = max ? lilv_node_as_float(max) : 1.f;
    c.toggled = lilv_port_has_property(first, port, toggled.get());
    c.isEnabled = port == enabledPort;
    if (LilvScalePoints* points = lilv_port_get_scale_points(first, port)) {
      std::map<float, std::string> byValue;
      LILV_FOREACH(scale_points, s, points) {
        const LilvScalePoint* point = lilv_scale_points_get(points, s);
        byValue[lilv_node_as_float(lilv_scale_point_get_value(point))] =
            lilv_node_as_string(lilv_scale_point_get_label(point));
      }
      lilv_scale_points_free(points);
      for (const auto& [value, label] : byValue)
        c.labels.push_back(label);
    }
    controls.push_back(c);
    values.push_back(c.defaultValue);
  }
  return true;
}

std::string Lv2Plugin::ValueText(const Control& control, float value) const {
  const int index = static_cast<int>(std::lround(value));
  if (!control.labels.empty() && index >= 0 && index < static_cast<int>(control.labels.size()))
    return control.labels[static_cast<size_t>(index)];
  if (control.toggled) return value > 0.5f ? "on" : "off";
  char text[64];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

bool Lv2Plugin::SetParameter(const std::string& name, double plainValue, std::string& error) {
  if (!std::isfinite(plainValue)) {
    error = "the value for \"" + name + "\" is not a number";
    return false;
  }
  for (size_t i = 0; i < controls.size(); ++i) {
    const Control& c = controls[i];
    if (c.isEnabled || !SameName(name, c.name)) continue;
    values[i] = std::clamp(static_cast<float>(plainValue), c.min, c.max);
    return true;
  }
  error =
      "no parameter is called \"" + name + "\"; the parameters are:\n" + DescribeParameters(false);
  return false;
}

std::string Lv2Plugin::DescribeParameters(bool withDefaults) const {
  std::string text;
  for (size_t i = 0; i < controls.size(); ++i) {
    const Control& c = controls[i];
    if (c.isEnabled && !withDefaults) continue;
    const std::string unit = c.unit.empty() ? "" : " " + c.unit;
    char line[400];
    if (withDefaults)
      std::snprintf(line, sizeof line, "  %-14s %s..%s%s, default %s%s%s\n", c.name.c_str(),
                    ValueText(c, c.min).c_str(), ValueText(c, c.max).c_str(), unit.c_str(),
                    ValueText(c, c.defaultValue).c_str(), unit.c_str(),
                    c.isEnabled ? "  (the host's bypass switch)" : "");
    else
      std::snprintf(line, sizeof line, "  %-14s %g..%g, now %s%s\n", c.name.c_str(),
                    static_cast<double>(c.min), static_cast<double>(c.max),
                    ValueText(c, values[i]).c_str(), unit.c_str());
    text += line;
  }
  return text;
}

bool Lv2Plugin::Process(const AudioBuffer& in, int blockSize, AudioBuffer& out, std::string& error,
                        const Progress& progress) {
  const int channels = in.NumChannels();
  if (!world || channels < 1 || channels > 2) {
    error = "the effect takes one or two channels";
    return false;
  }
  blockSize = std::max(1, blockSize);
  const Node audio = world->NewUri(LV2_CORE__AudioPort);
  const Node input = world->NewUri(LV2_CORE__InputPort);
  const Node output = world->NewUri(LV2_CORE__OutputPort);
  const Node control = world->NewUri(LV2_CORE__ControlPort);
  const auto wanted = static_cast<uint32_t>(channels);
  const auto match =
      std::find_if(world->plugins.begin(), world->plugins.end(), [&](const LilvPlugin* candidate) {
        return lilv_plugin_get_num_ports_of_class(candidate, audio.get(), input.get(), nullptr) ==
                   wanted &&
               lilv_plugin_get_num_ports_of_class(candidate, audio.get(), output.get(), nullptr) ==
                   wanted;
      });
  if (match == world->plugins.end()) {
    error = "the bundle has no " + std::string(channels == 1 ? "mono" : "stereo") + " plug-in";
    return false;
  }

  const LilvPlugin* plugin = *match;
  // What a host announces: every block at most blockSize frames long, usually that long.
  const int32_t blockLength = blockSize;
  const LV2_URID atomInt = world->Map(LV2_ATOM__Int);
  const LV2_Options_Option options[] = {
      {LV2_OPTIONS_INSTANCE, 0, world->Map(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t), atomInt,
       &blockLength},
      {LV2_OPTIONS_INSTANCE, 0, world->Map(LV2_BUF_SIZE__nominalBlockLength), sizeof(int32_t),
       atomInt, &blockLength},
      {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
  const LV2_Feature mapFeature{LV2_URID__map, &world->map};
  const LV2_Feature unmapFeature{LV2_URID__unmap, &world->unmap};
  const LV2_Feature optionsFeature{LV2_OPTIONS__options, const_cast<LV2_Options_Option*>(options)};
  const LV2_Feature boundedFeature{LV2_BUF_SIZE__boundedBlockLength, nullptr};
  const LV2_Feature* features[] = {&mapFeature, &unmapFeature, &optionsFeature, &boundedFeature,
                                   nullptr};
  LilvInstance* instance = lilv_plugin_instantiate(plugin, in.sampleRate, features);
  if (!instance) {
    error = "the plug-in refuses to be instantiated at " + std::to_string(in.sampleRate) + " Hz";
    return false;
  }

  const uint32_t nPorts = lilv_plugin_get_num_ports(plugin);
  std::vector<float> portValues(nPorts, 0.f);
  std::vector<std::vector<float>> inBlock(channels, std::vector<float>(blockSize));
  std::vector<std::vector<float>> outBlock(channels, std::vector<float>(blockSize));
  int nIn = 0, nOut = 0;
  for (uint32_t p = 0; p < nPorts; ++p) {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
    if (lilv_port_is_a(plugin, port, audio.get())) {
      const bool isInput = lilv_port_is_a(plugin, port, input.get());
      std::vector<float>& buffer = isInput ? inBlock[nIn++] : outBlock[nOut++];
      lilv_instance_connect_port(instance, p, buffer.data());
      continue;
    }
    if (!lilv_port_is_a(plugin, port, control.get())) {
      lilv_instance_connect_port(instance, p, nullptr);
      continue;
    }
    const std::string symbol = lilv_node_as_string(lilv_port_get_symbol(plugin, port));
    LilvNode* def = nullptr;
    lilv_port_get_range(plugin, port, &def, nullptr, nullptr);
    const Node defNode(def);
    portValues[p] = def ? lilv_node_as_float(def) : 0.f;
    for (size_t i = 0; i < controls.size(); ++i)
      if (controls[i].symbol == symbol) portValues[p] = values[i];
    lilv_instance_connect_port(instance, p, &portValues[p]);
  }

  lilv_instance_activate(instance);
  const long frames = in.NumFrames();
  out.sampleRate = in.sampleRate;
  out.channels.assign(static_cast<size_t>(channels),
                      std::vector<double>(static_cast<size_t>(frames)));
  for (long start = 0; start < frames; start += blockSize) {
    const int len = static_cast<int>(std::min<long>(blockSize, frames - start));
    for (int ch = 0; ch < channels; ++ch) {
      const std::vector<double>& source = in.channels[static_cast<size_t>(ch)];
      std::transform(source.begin() + start, source.begin() + start + len, inBlock[ch].begin(),
                     [](double s) { return static_cast<float>(s); });
    }
    lilv_instance_run(instance, static_cast<uint32_t>(len));
    for (int ch = 0; ch < channels; ++ch)
      std::copy_n(outBlock[ch].begin(), len, out.channels[static_cast<size_t>(ch)].begin() + start);
    if (progress) progress(static_cast<double>(start + len) / static_cast<double>(frames));
  }
  lilv_instance_deactivate(instance);
  lilv_instance_free(instance);
  return true;
}

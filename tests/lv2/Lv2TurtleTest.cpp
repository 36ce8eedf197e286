// The generated Turtle read back by lilv, as hosts read it, against the parameter table.
#include "KelvoraIdentity.h"
#include "KelvoraLv2Bundle.h"
#include "KelvoraParamTable.h"
#include "Lv2PortLayout.h"
#include "TestFolder.h"

#include "lilv/lilv.h"
#include "lv2/core/lv2.h"
#include "lv2/state/state.h"
#include "lv2/ui/ui.h"
#include "lv2/units/units.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <string>

namespace {

struct NodeFree {
  void operator()(LilvNode* node) const { lilv_node_free(node); }
};
using Node = std::unique_ptr<LilvNode, NodeFree>;

// A bundle folder holding the Turtle of `bundle`, loaded into a lilv world of its own.
class LoadedTurtle {
public:
  explicit LoadedTurtle(const Lv2BundleEntry& bundle) : world(lilv_world_new()) {
    folder.Write("K.lv2/manifest.ttl", ManifestTurtle(bundle));
    folder.Write("K.lv2/" + bundle.description, PluginTurtle(bundle));
    const Node uri(lilv_new_file_uri(world, nullptr, (folder.Path() + "/K.lv2/").c_str()));
    lilv_world_load_bundle(world, uri.get());
    loaded = lilv_plugins_size(lilv_world_get_all_plugins(world)) > 0;
  }
  ~LoadedTurtle() { lilv_world_free(world); }
  LoadedTurtle(const LoadedTurtle&) = delete;
  LoadedTurtle& operator=(const LoadedTurtle&) = delete;

  Node Uri(const char* uri) const { return Node(lilv_new_uri(world, uri)); }
  const LilvPlugin* Plugin(const char* uri) const {
    const Node node = Uri(uri);
    return lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), node.get());
  }
  bool PortIs(const LilvPlugin* p, const LilvPort* port, const char* uri) const {
    return lilv_port_is_a(p, port, Uri(uri).get());
  }
  bool PortHas(const LilvPlugin* p, const LilvPort* port, const char* property) const {
    return lilv_port_has_property(p, port, Uri(property).get());
  }
  std::string PortUri(const LilvPlugin* p, const LilvPort* port, const char* predicate) const {
    const Node value(lilv_port_get(p, port, Uri(predicate).get()));
    return value && lilv_node_is_uri(value.get()) ? lilv_node_as_uri(value.get()) : "";
  }

  TestFolder folder;
  LilvWorld* world;
  bool loaded = false;
};

struct Range {
  float def = -1.f, min = -1.f, max = -1.f;
};

Range RangeOf(const LilvPlugin* p, const LilvPort* port) {
  LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
  lilv_port_get_range(p, port, &def, &min, &max);
  const Node d(def), lo(min), hi(max);
  return {def ? lilv_node_as_float(def) : -1.f, min ? lilv_node_as_float(min) : -1.f,
          max ? lilv_node_as_float(max) : -1.f};
}

std::string Text(LilvNode* node) {
  const Node owned(node);
  return owned ? lilv_node_as_string(owned.get()) : "";
}

TEST(Lv2Turtle, DescribesBothPluginsWithTheirClassVendorAndFeatures) {
  LoadedTurtle turtle(KelvoraLv2Bundle("Kelvora.so", false));
  ASSERT_TRUE(turtle.loaded);
  EXPECT_EQ(lilv_plugins_size(lilv_world_get_all_plugins(turtle.world)), 2u);
  EXPECT_STREQ(kKelvoraLv2StereoUri, "https://murkwhale.example/kelvora/lv2/stereo");
  EXPECT_STREQ(kKelvoraLv2MonoUri, "https://murkwhale.example/kelvora/lv2/mono");
  for (const char* uri : {kKelvoraLv2StereoUri, kKelvoraLv2MonoUri}) {
    const LilvPlugin* p = turtle.Plugin(uri);
    ASSERT_NE(p, nullptr) << uri;
    EXPECT_TRUE(lilv_plugin_verify(p)) << uri;
    EXPECT_TRUE(lilv_world_ask(turtle.world, lilv_plugin_get_uri(p),
                               turtle.Uri(LILV_NS_RDF "type").get(),
                               turtle.Uri(LV2_CORE__DistortionPlugin).get()));
    EXPECT_EQ(Text(lilv_plugin_get_author_name(p)), "Murkwhale");
    EXPECT_EQ(Text(lilv_plugin_get_author_homepage(p)), "https://murkwhale.example/kelvora");
    const std::string binary = lilv_node_as_uri(lilv_plugin_get_library_uri(p));
    EXPECT_EQ(binary.substr(binary.size() - 17), "/K.lv2/Kelvora.so");
    LilvNodes* requiredFeatures = lilv_plugin_get_required_features(p);
    EXPECT_EQ(lilv_nodes_size(requiredFeatures), 0u) << "every host can run it";
    lilv_nodes_free(requiredFeatures);
    EXPECT_TRUE(lilv_plugin_has_extension_data(p, turtle.Uri(LV2_STATE__interface).get()));
    EXPECT_FALSE(lilv_plugin_has_latency(p));
    LilvUIs* uis = lilv_plugin_get_uis(p);
    EXPECT_EQ(lilv_uis_size(uis), 0u) << "no editor is described until one is built in";
    lilv_uis_free(uis);
  }
  EXPECT_EQ(Text(lilv_plugin_get_name(turtle.Plugin(kKelvoraLv2StereoUri))), "Kelvora");
  EXPECT_EQ(Text(lilv_plugin_get_name(turtle.Plugin(kKelvoraLv2MonoUri))), "Kelvora Mono");
}

TEST(Lv2Turtle, PortsFollowTheLayoutAndTheParameterTable) {
  LoadedTurtle turtle(KelvoraLv2Bundle("Kelvora.so", false));
  ASSERT_TRUE(turtle.loaded);
  for (const auto& [uri, channels] :
       {std::pair{kKelvoraLv2StereoUri, 2}, std::pair{kKelvoraLv2MonoUri, 1}}) {
    const LilvPlugin* p = turtle.Plugin(uri);
    ASSERT_NE(p, nullptr);
    const Lv2PortLayout layout{channels, static_cast<int>(kKelvoraParams.size())};
    ASSERT_EQ(lilv_plugin_get_num_ports(p), layout.Count()) << uri;
    EXPECT_EQ(layout.Count(), channels == 2 ? 14u : 12u);
    for (int c = 0; c < channels; ++c) {
      const LilvPort* in = lilv_plugin_get_port_by_index(p, layout.AudioIn(c));
      const LilvPort* out = lilv_plugin_get_port_by_index(p, layout.AudioOut(c));
      EXPECT_TRUE(turtle.PortIs(p, in, LV2_CORE__AudioPort) &&
                  turtle.PortIs(p, in, LV2_CORE__InputPort));
      EXPECT_TRUE(turtle.PortIs(p, out, LV2_CORE__AudioPort) &&
                  turtle.PortIs(p, out, LV2_CORE__OutputPort));
    }
    for (size_t i = 0; i < kKelvoraParams.size(); ++i) {
      const ParamDef& def = kKelvoraParams[i];
      const LilvPort* port = lilv_plugin_get_port_by_index(p, layout.Control(static_cast<int>(i)));
      ASSERT_NE(port, nullptr) << def.name;
      EXPECT_TRUE(turtle.PortIs(p, port, LV2_CORE__ControlPort) &&
                  turtle.PortIs(p, port, LV2_CORE__InputPort))
          << def.name;
      EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(p, port)), def.symbol);
      EXPECT_EQ(Text(lilv_port_get_name(p, port)), def.name);
      const Range range = RangeOf(p, port);
      EXPECT_EQ(range.def, static_cast<float>(def.defaultValue)) << def.name;
      EXPECT_EQ(range.min, static_cast<float>(def.min)) << def.name;
      EXPECT_EQ(range.max, static_cast<float>(def.max)) << def.name;
      EXPECT_EQ(turtle.PortHas(p, port, LV2_CORE__toggled), def.kind == ParamDef::Kind::kSwitch)
          << def.name;
      EXPECT_EQ(turtle.PortHas(p, port, LV2_CORE__enumeration), def.kind == ParamDef::Kind::kChoice)
          << def.name;
      EXPECT_EQ(turtle.PortUri(p, port, LV2_UNITS__unit),
                std::string(def.unit) == "%" ? LV2_UNITS__pc : "")
          << def.name;
    }
    const LilvPort* enabled = lilv_plugin_get_port_by_designation(
        p, turtle.Uri(LV2_CORE__InputPort).get(), turtle.Uri(LV2_CORE__enabled).get());
    ASSERT_NE(enabled, nullptr);
    EXPECT_EQ(lilv_port_get_index(p, enabled), layout.Enabled());
    EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(p, enabled)), "enabled");
    EXPECT_TRUE(turtle.PortHas(p, enabled, LV2_CORE__toggled));
    EXPECT_EQ(RangeOf(p, enabled).def, 1.f);
  }
}

TEST(Lv2Turtle, NamesTheProductsSymbolsAndOversamplingLabels) {
  LoadedTurtle turtle(KelvoraLv2Bundle("Kelvora.so", false));
  const LilvPlugin* p = turtle.Plugin(kKelvoraLv2StereoUri);
  ASSERT_NE(p, nullptr);
  const char* symbols[] = {"bypass", "react", "oversampling", "delta", "input_gain",
                           "wet",    "tame",  "output_gain",  "bias"};
  for (size_t i = 0; i < std::size(symbols); ++i) {
    const LilvPort* port =
        lilv_plugin_get_port_by_symbol(p, Node(lilv_new_string(turtle.world, symbols[i])).get());
    ASSERT_NE(port, nullptr) << symbols[i];
    EXPECT_EQ(lilv_port_get_index(p, port), 4 + i);
  }
  const LilvPort* oversampling =
      lilv_plugin_get_port_by_symbol(p, Node(lilv_new_string(turtle.world, "oversampling")).get());
  EXPECT_TRUE(turtle.PortHas(p, oversampling, LV2_CORE__integer));
  LilvScalePoints* points = lilv_port_get_scale_points(p, oversampling);
  ASSERT_NE(points, nullptr);
  std::map<float, std::string> labels;
  LILV_FOREACH(scale_points, s, points) {
    const LilvScalePoint* point = lilv_scale_points_get(points, s);
    labels[lilv_node_as_float(lilv_scale_point_get_value(point))] =
        lilv_node_as_string(lilv_scale_point_get_label(point));
  }
  lilv_scale_points_free(points);
  EXPECT_EQ(labels,
            (std::map<float, std::string>{{0.f, "1x"}, {1.f, "2x"}, {2.f, "4x"}, {3.f, "8x"}}));
}

TEST(Lv2Turtle, DescribesTheEditorOnlyWhenBuiltIn) {
  LoadedTurtle turtle(KelvoraLv2Bundle("Kelvora.so", true));
  ASSERT_TRUE(turtle.loaded);
  EXPECT_STREQ(kKelvoraLv2UiUri, "https://murkwhale.example/kelvora/lv2/ui");
  for (const char* uri : {kKelvoraLv2StereoUri, kKelvoraLv2MonoUri}) {
    LilvUIs* uis = lilv_plugin_get_uis(turtle.Plugin(uri));
    ASSERT_EQ(lilv_uis_size(uis), 1u) << uri;
    const LilvUI* ui = lilv_uis_get(uis, lilv_uis_begin(uis));
    EXPECT_STREQ(lilv_node_as_uri(lilv_ui_get_uri(ui)), kKelvoraLv2UiUri);
    EXPECT_TRUE(lilv_ui_is_a(ui, turtle.Uri(LV2_UI__X11UI).get()));
    EXPECT_NE(std::string(lilv_node_as_uri(lilv_ui_get_binary_uri(ui))).find("/K.lv2/Kelvora.so"),
              std::string::npos);
    lilv_uis_free(uis);
  }
  const Node ui = turtle.Uri(kKelvoraLv2UiUri);
  const Node idle = turtle.Uri(LV2_UI__idleInterface);
  const Node required = turtle.Uri(LV2_CORE__requiredFeature);
  EXPECT_TRUE(lilv_world_ask(turtle.world, ui.get(), required.get(), idle.get()));
}

TEST(Lv2Turtle, UnitsOutsideTheExtensionAreDescribedOnThePort) {
  Lv2BundleEntry bundle = KelvoraLv2Bundle("K.so", false);
  bundle.plugins.resize(1);
  bundle.params = {ContinuousParam("Spin", "spin", 0., 9., 1., 0.1, 1, "rev"),
                   ContinuousParam("Loud", "loud", -6., 6., 0., 0.1, 1, "dB")};
  LoadedTurtle turtle(bundle);
  const LilvPlugin* p = turtle.Plugin(bundle.plugins[0].uri.c_str());
  ASSERT_NE(p, nullptr);
  const LilvPort* loud = lilv_plugin_get_port_by_index(p, 5);
  EXPECT_EQ(turtle.PortUri(p, loud, LV2_UNITS__unit), LV2_UNITS__db);
  const LilvPort* spin = lilv_plugin_get_port_by_index(p, 4);
  const Node unit(lilv_port_get(p, spin, turtle.Uri(LV2_UNITS__unit).get()));
  ASSERT_TRUE(unit && lilv_node_is_blank(unit.get()));
  const Node symbol(
      lilv_world_get(turtle.world, unit.get(), turtle.Uri(LV2_UNITS__symbol).get(), nullptr));
  EXPECT_EQ(symbol ? std::string(lilv_node_as_string(symbol.get())) : "", "rev");
  const Node render(
      lilv_world_get(turtle.world, unit.get(), turtle.Uri(LV2_UNITS__render).get(), nullptr));
  EXPECT_EQ(render ? std::string(lilv_node_as_string(render.get())) : "", "%.1f rev");
}

TEST(Lv2Turtle, NumbersAndStringsReadBackExactly) {
  EXPECT_EQ(TurtleNumber(32.), "32.0");
  EXPECT_EQ(TurtleNumber(0.), "0.0");
  EXPECT_EQ(TurtleNumber(-6.), "-6.0");
  EXPECT_EQ(TurtleNumber(0.001), "0.001");
  EXPECT_EQ(TurtleNumber(0.1), "0.1");
  for (double v : {0.1, 1e-7, 123456789.125, -2.5e300, 1. / 3.})
    EXPECT_EQ(std::strtod(TurtleNumber(v).c_str(), nullptr), v) << TurtleNumber(v);
  EXPECT_EQ(TurtleString("Input Gain"), "\"Input Gain\"");
  EXPECT_EQ(TurtleString("a\"b\\c\nd\te\x01"), "\"a\\\"b\\\\c\\nd\\te\\u0001\"");
}

} // namespace

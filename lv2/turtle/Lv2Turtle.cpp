#include "Lv2Turtle.h"

#include "Lv2PortLayout.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

constexpr const char* kPrefixes = "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n"
                                  "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                                  "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                                  "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                                  "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
                                  "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                                  "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                                  "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                                  "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                                  "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                                  "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

// Units the units extension names; any other unit is described on the port itself.
struct KnownUnit {
  std::string_view text;
  const char* name;
};
constexpr KnownUnit kKnownUnits[] = {{"%", "units:pc"},
                                     {"dB", "units:db"},
                                     {"Hz", "units:hz"},
                                     {"ms", "units:ms"},
                                     {"s", "units:s"}};

std::string Uri(const std::string& uri) {
  return "<" + uri + ">";
}

std::string UnitOf(const ParamDef& def) {
  const std::string_view unit = def.unit;
  for (const KnownUnit& known : kKnownUnits)
    if (known.text == unit) return known.name;
  return "[\n            a units:Unit ;\n            rdfs:label " + TurtleString(def.unit) +
         " ;\n            units:symbol " + TurtleString(def.unit) +
         " ;\n            units:render " +
         TurtleString("%." + std::to_string(def.displayPrecision) + "f " + def.unit) +
         "\n        ]";
}

class PortWriter {
public:
  explicit PortWriter(std::string& out) : mOut(out) {}

  void Audio(bool input, uint32_t index, const std::string& symbol, const std::string& name) {
    Open(input ? "lv2:InputPort , lv2:AudioPort" : "lv2:OutputPort , lv2:AudioPort", index, symbol,
         name);
    Close();
  }

  void Control(uint32_t index, const ParamDef& def) {
    Open("lv2:InputPort , lv2:ControlPort", index, def.symbol, def.name);
    Range(def.defaultValue, def.min, def.max);
    switch (def.kind) {
    case ParamDef::Kind::kSwitch:
      Line("lv2:portProperty lv2:toggled");
      break;
    case ParamDef::Kind::kChoice:
      Line("lv2:portProperty lv2:integer , lv2:enumeration");
      for (int i = 0; i < def.labelCount; ++i)
        Line(std::string("lv2:scalePoint [ rdfs:label ") + TurtleString(def.labels[i]) +
             " ; rdf:value " + TurtleNumber(i) + " ]");
      break;
    case ParamDef::Kind::kContinuous:
      if (def.unit[0] != '\0') Line("units:unit " + UnitOf(def));
      break;
    }
    Close();
  }

  void Enabled(uint32_t index) {
    Open("lv2:InputPort , lv2:ControlPort", index, "enabled", "Enabled");
    Line("lv2:designation lv2:enabled");
    Range(1., 0., 1.);
    Line("lv2:portProperty lv2:toggled");
    Close();
  }

  void Finish() { mOut += " .\n"; }

private:
  void Open(const char* types, uint32_t index, const std::string& symbol, const std::string& name) {
    mOut += mFirst ? "    lv2:port [\n" : " , [\n";
    mFirst = false;
    mOut += "        a " + std::string(types);
    Line("lv2:index " + std::to_string(index));
    Line("lv2:symbol " + TurtleString(symbol));
    Line("lv2:name " + TurtleString(name));
  }
  void Range(double defaultValue, double min, double max) {
    Line("lv2:default " + TurtleNumber(defaultValue));
    Line("lv2:minimum " + TurtleNumber(min));
    Line("lv2:maximum " + TurtleNumber(max));
  }
  void Line(const std::string& statement) { mOut += " ;\n        " + statement; }
  void Close() { mOut += "\n    ]"; }

  std::string& mOut;
  bool mFirst = true;
};

std::string List(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items)
    out += (out.empty() ? "" : " , ") + item;
  return out;
}

void WritePlugin(const Lv2BundleEntry& bundle, const Lv2PluginEntry& plugin, std::string& out) {
  out += Uri(plugin.uri) + "\n    a lv2:Plugin , " + bundle.pluginClass + " ;\n";
  out += "    doap:name " + TurtleString(plugin.name) + " ;\n";
  out += "    rdfs:comment " + TurtleString(bundle.comment) + " ;\n";
  out += "    doap:license " + Uri(bundle.licenseUri) + " ;\n";
  out += "    lv2:project " + Uri(bundle.homepage) + " ;\n";
  out += "    lv2:minorVersion " + std::to_string(bundle.minorVersion) + " ;\n";
  out += "    lv2:microVersion " + std::to_string(bundle.microVersion) + " ;\n";
  // The block length options only spare the binding from splitting blocks; it runs without.
  out += "    lv2:optionalFeature lv2:hardRTCapable , urid:map , opts:options , "
         "bufsz:boundedBlockLength ;\n";
  out += "    opts:supportedOption bufsz:maxBlockLength , bufsz:nominalBlockLength ;\n";
  out += "    lv2:extensionData state:interface ;\n";
  for (const Lv2UiEntry& ui : bundle.uis)
    out += "    ui:ui " + Uri(ui.uri) + " ;\n";

  const Lv2PortLayout layout{plugin.channels, static_cast<int>(bundle.params.size())};
  const bool mono = plugin.channels == 1;
  static constexpr const char* kSides[] = {"l", "r"};
  static constexpr const char* kSideNames[] = {"Left", "Right"};
  PortWriter ports(out);
  for (bool input : {true, false}) {
    const std::string direction = input ? "in" : "out";
    const std::string directionName = input ? "Input" : "Output";
    for (int c = 0; c < plugin.channels; ++c)
      ports.Audio(input, input ? layout.AudioIn(c) : layout.AudioOut(c),
                  mono ? direction : direction + "_" + kSides[c],
                  mono ? directionName : directionName + " " + kSideNames[c]);
  }
  for (size_t i = 0; i < bundle.params.size(); ++i)
    ports.Control(layout.Control(static_cast<int>(i)), bundle.params[i]);
  ports.Enabled(layout.Enabled());
  ports.Finish();
}

void WriteUi(const Lv2BundleEntry& bundle, const Lv2UiEntry& ui, std::string& out) {
  out += Uri(ui.uri) + "\n    a " + ui.type + " ;\n    lv2:binary " + Uri(bundle.binary);
  if (!ui.requiredFeatures.empty())
    out += " ;\n    lv2:requiredFeature " + List(ui.requiredFeatures);
  if (!ui.optionalFeatures.empty())
    out += " ;\n    lv2:optionalFeature " + List(ui.optionalFeatures);
  if (!ui.extensionData.empty()) out += " ;\n    lv2:extensionData " + List(ui.extensionData);
  out += " .\n";
}

// The product the plug-ins belong to, with who maintains it.
void WriteProject(const Lv2BundleEntry& bundle, std::string& out) {
  out += Uri(bundle.homepage) + "\n    a doap:Project ;\n    doap:name " +
         TurtleString(bundle.projectName) + " ;\n    doap:homepage " + Uri(bundle.homepage) +
         " ;\n    doap:maintainer [\n        foaf:name " + TurtleString(bundle.vendor) +
         " ;\n        foaf:homepage " + Uri(bundle.homepage) + " ;\n        foaf:mbox " +
         Uri("mailto:" + bundle.email) + "\n    ] .\n\n";
}

} // namespace

std::string TurtleNumber(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof(text), value);
  std::string number(text, result.ptr);
  if (number.find_first_of(".eE") == std::string::npos) number += ".0";
  return number;
}

std::string TurtleString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    default:
      if (static_cast<unsigned char>(c) < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof(escaped), "\\u%04X", static_cast<unsigned>(c));
        out += escaped;
      } else {
        out += c;
      }
    }
  }
  return out + "\"";
}

std::string ManifestTurtle(const Lv2BundleEntry& bundle) {
  std::string out = "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                    "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n";
  const std::string where = " ;\n    lv2:binary " + Uri(bundle.binary) + " ;\n    rdfs:seeAlso " +
                            Uri(bundle.description) + " .\n";
  for (const Lv2PluginEntry& plugin : bundle.plugins)
    out += "\n" + Uri(plugin.uri) + "\n    a lv2:Plugin" + where;
  for (const Lv2UiEntry& ui : bundle.uis)
    out += "\n" + Uri(ui.uri) + "\n    a " + ui.type + where;
  return out;
}

std::string PluginTurtle(const Lv2BundleEntry& bundle) {
  std::string out = kPrefixes;
  WriteProject(bundle, out);
  for (const Lv2PluginEntry& plugin : bundle.plugins) {
    WritePlugin(bundle, plugin, out);
    out += "\n";
  }
  for (const Lv2UiEntry& ui : bundle.uis) {
    WriteUi(bundle, ui, out);
    out += "\n";
  }
  return out;
}

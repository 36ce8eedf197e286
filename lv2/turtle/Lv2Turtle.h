#pragma once

#include "ParamDef.h"

#include <string>
#include <vector>

// The Turtle description of an LV2 bundle on this framework, written from the plug-in's
// parameter table at build time, so that hosts see exactly the ports the binding serves
// (Lv2PortLayout.h).

struct Lv2PluginEntry {
  std::string uri;
  std::string name;
  int channels; // 1 or 2, the same on input and output
};

// An editor in the same module, described only when the module holds one.
struct Lv2UiEntry {
  std::string uri;
  std::string type;                          // a class of the UI extension, e.g. "ui:X11UI"
  std::vector<std::string> requiredFeatures; // prefixed names, e.g. "ui:idleInterface"
  std::vector<std::string> optionalFeatures;
  std::vector<std::string> extensionData;
};

struct Lv2BundleEntry {
  std::string binary;      // the module's file name inside the bundle
  std::string description; // the file the plug-ins are described in, beside manifest.ttl
  std::vector<Lv2PluginEntry> plugins;
  std::vector<ParamDef> params; // in parameter order
  std::string pluginClass;      // prefixed, e.g. "lv2:DistortionPlugin"
  std::string comment;
  std::string projectName, vendor, homepage, email, licenseUri;
  int minorVersion = 0, microVersion = 0;
  std::vector<Lv2UiEntry> uis; // empty without an editor
};

// manifest.ttl: each plug-in (and editor) with its binary and the description file.
std::string ManifestTurtle(const Lv2BundleEntry& bundle);

// The description file: every plug-in with its ports, features, extension data and state.
std::string PluginTurtle(const Lv2BundleEntry& bundle);

// A number as a Turtle literal that reads back as the same double: always with a point or an
// exponent, so that it is a decimal or double, never an integer.
std::string TurtleNumber(double value);

// A quoted Turtle string with quotes, backslashes and control characters escaped.
std::string TurtleString(const std::string& text);

#pragma once

#include <string>

// Where the parts of a VST 3 bundle sit, derived from the path of the module inside it:
// <bundle>/Contents/<arch>-linux/<module>.so with resources in <bundle>/Contents/Resources.
struct BundleLayout {
  std::string bundlePath;     // the .vst3 folder, without a trailing slash
  std::string executablePath; // the module file itself
  std::string resourcePath;   // <bundle>/Contents/Resources, without a trailing slash
};

// False when the module does not sit in a bundle's architecture folder.
bool BundleLayoutFromModulePath(const std::string& modulePath, BundleLayout& layout);

#pragma once

#include <string>

// Where the parts of a plug-in bundle sit, derived from the path of the module inside it
// (paths with "/" separators):
//   VST 3: <bundle>.vst3/Contents/<arch>-linux/<module>.so or
//          <bundle>.vst3/Contents/<arch>-win/<module>.vst3, resources in
//          <bundle>/Contents/Resources
//   LV2:   <bundle>.lv2/<module>.so, resources in <bundle>/Resources
struct BundleLayout {
  std::string bundlePath;     // the .vst3 or .lv2 folder, without a trailing slash
  std::string executablePath; // the module file itself
  std::string resourcePath;   // the resources folder, without a trailing slash
};

// False when the module sits neither in a VST 3 bundle's architecture folder nor directly in
// an LV2 bundle.
bool BundleLayoutFromModulePath(const std::string& modulePath, BundleLayout& layout);

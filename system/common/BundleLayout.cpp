#include "BundleLayout.h"

#include <vector>

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() > suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The folder made of the first `count` components, absolute when the path is: from the root,
// or from a network share ("//server/share"). A drive ("C:") is a component of its own.
std::string JoinFirst(const std::string& path, const std::vector<std::string>& parts,
                      size_t count) {
  std::string folder = path.compare(0, 2, "//") == 0  ? "//"
                       : path.compare(0, 1, "/") == 0 ? "/"
                                                      : "";
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) folder += '/';
    folder += parts[i];
  }
  return folder;
}

} // namespace

bool BundleLayoutFromModulePath(const std::string& modulePath, BundleLayout& layout) {
  const std::vector<std::string> parts = SplitPath(modulePath);
  const size_t n = parts.size();
  // bundle, "Contents", "<arch>-linux" or "<arch>-win", module file: at least four components.
  if (n >= 4 && (EndsWith(parts[n - 2], "-linux") || EndsWith(parts[n - 2], "-win")) &&
      parts[n - 3] == "Contents") {
    const std::string bundle = JoinFirst(modulePath, parts, n - 3);
    layout.bundlePath = bundle;
    layout.executablePath = bundle + "/Contents/" + parts[n - 2] + "/" + parts[n - 1];
    layout.resourcePath = bundle + "/Contents/Resources";
    return true;
  }
  // An LV2 module sits in its bundle's folder, beside the Turtle files.
  if (n >= 2 && EndsWith(parts[n - 2], ".lv2")) {
    const std::string bundle = JoinFirst(modulePath, parts, n - 1);
    layout.bundlePath = bundle;
    layout.executablePath = bundle + "/" + parts[n - 1];
    layout.resourcePath = bundle + "/Resources";
    return true;
  }
  return false;
}

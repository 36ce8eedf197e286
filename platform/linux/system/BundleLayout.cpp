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

} // namespace

bool BundleLayoutFromModulePath(const std::string& modulePath, BundleLayout& layout) {
  const std::vector<std::string> parts = SplitPath(modulePath);
  // bundle, "Contents", "<arch>-linux", module file: at least four components.
  if (parts.size() < 4) return false;
  const size_t n = parts.size();
  if (!EndsWith(parts[n - 2], "-linux") || parts[n - 3] != "Contents") return false;

  std::string bundle = modulePath.empty() || modulePath[0] != '/' ? "" : "/";
  for (size_t i = 0; i + 3 < n; ++i) {
    if (i > 0) bundle += '/';
    bundle += parts[i];
  }
  layout.bundlePath = bundle;
  layout.executablePath = bundle + "/Contents/" + parts[n - 2] + "/" + parts[n - 1];
  layout.resourcePath = bundle + "/Contents/Resources";
  return true;
}

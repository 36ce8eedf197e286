#include "ResourceLookup.h"

#include "ResourcePaths.h"

#include <algorithm>

namespace {

constexpr int kHighestSearchedDensity = 3;

} // namespace

std::vector<int> DensitySearchOrder(int targetScale) {
  const int target = std::max(targetScale, 1);
  std::vector<int> order{target};
  for (int density = kHighestSearchedDensity; density >= 1; --density)
    if (density != target) order.push_back(density);
  return order;
}

std::string DensityVariantName(const std::string& name, int density) {
  if (density == 1) return name;
  const size_t cut = name.find_last_of("./\\");
  const bool hasExtension = cut != std::string::npos && name[cut] == '.';
  const std::string base = hasExtension ? name.substr(0, cut) : name;
  const std::string extension = hasExtension ? name.substr(cut) : "";
  std::string variant = base + "@" + std::to_string(density) + "x" + extension;
  variant.resize(std::min(variant.size(), name.size() + 3));
  return variant;
}

EResourceLocation FindImageResource(const char* name, std::string& path, int targetScale,
                                    int& sourceScale, const char* bundleID,
                                    const char* sharedResourcesSubPath) {
  path.clear();
  if (name == nullptr || name[0] == '\0') return kNotFound;
  const std::string resource = name;
  const size_t dot = resource.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : resource.substr(dot + 1);
  const char* shared = sharedResourcesSubPath ? sharedResourcesSubPath : "";

  for (int density : DensitySearchOrder(targetScale)) {
    const std::string candidate = DensityVariantName(resource, density);
    if (FindResourceFile(candidate.c_str(), extension.c_str(), bundleID, shared, path)) {
      sourceScale = density;
      return kFilePath;
    }
  }
  path.clear();
  return kNotFound;
}

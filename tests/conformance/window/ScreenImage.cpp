#include "ScreenImage.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

ScreenImage CropImage(const ScreenImage& image, int x, int y, int width, int height) {
  ScreenImage out;
  const int left = std::clamp(x, 0, image.width), top = std::clamp(y, 0, image.height);
  out.width = std::clamp(width, 0, image.width - left);
  out.height = std::clamp(height, 0, image.height - top);
  out.rgb.reserve(static_cast<std::size_t>(out.width) * out.height * 3);
  for (int row = top; row < top + out.height; ++row) {
    const auto first = image.rgb.begin() + (static_cast<std::size_t>(row) * image.width + left) * 3;
    out.rgb.insert(out.rgb.end(), first, first + out.width * 3);
  }
  return out;
}

ImageDifference CompareImages(const ScreenImage& a, const ScreenImage& b, int threshold) {
  ImageDifference result;
  if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size() || a.rgb.empty()) {
    result.meanAbsolute = 255;
    result.fractionApart = 1;
    return result;
  }
  double sum = 0;
  long apart = 0;
  for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
    int largest = 0;
    for (std::size_t c = i; c < i + 3; ++c) {
      const int d = std::abs(int(a.rgb[c]) - int(b.rgb[c]));
      sum += d;
      largest = std::max(largest, d);
    }
    if (largest > threshold) ++apart;
  }
  const double pixels = static_cast<double>(a.rgb.size() / 3);
  result.meanAbsolute = sum / (pixels * 3);
  result.fractionApart = static_cast<double>(apart) / pixels;
  return result;
}

int DistinctColours(const ScreenImage& image, int limit) {
  std::unordered_set<std::uint32_t> seen;
  for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
    seen.insert(std::uint32_t(image.rgb[i]) << 16 | std::uint32_t(image.rgb[i + 1]) << 8 |
                image.rgb[i + 2]);
    if (static_cast<int>(seen.size()) >= limit) break;
  }
  return static_cast<int>(seen.size());
}

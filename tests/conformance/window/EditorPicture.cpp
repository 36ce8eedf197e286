#include "EditorPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

const std::uint8_t* Pixel(const ScreenImage& image, int x, int y) {
  return &image.rgb[(static_cast<std::size_t>(y) * image.width + x) * 3];
}

} // namespace

PictureLayout FitPicture(int windowWidth, int windowHeight, int editorWidth, int editorHeight,
                         double minScale, double maxScale) {
  PictureLayout layout;
  const double fit =
      std::min(double(windowWidth) / editorWidth, double(windowHeight) / editorHeight);
  layout.scale = std::clamp(fit, minScale, maxScale);
  layout.width = std::min(windowWidth, int(std::lround(editorWidth * layout.scale)));
  layout.height = std::min(windowHeight, int(std::lround(editorHeight * layout.scale)));
  return layout;
}

ScreenImage Resample(const ScreenImage& image, int x, int y, int width, int height, int toWidth,
                     int toHeight) {
  ScreenImage out;
  out.width = toWidth;
  out.height = toHeight;
  out.rgb.assign(static_cast<std::size_t>(toWidth) * toHeight * 3, 0);
  if (width <= 0 || height <= 0 || x < 0 || y < 0 || x + width > image.width ||
      y + height > image.height) {
    return out;
  }
  const double sx = double(width) / toWidth, sy = double(height) / toHeight;
  for (int oy = 0; oy < toHeight; ++oy) {
    const int y0 = y + int(oy * sy), y1 = std::max(y0 + 1, y + int((oy + 1) * sy));
    for (int ox = 0; ox < toWidth; ++ox) {
      const int x0 = x + int(ox * sx), x1 = std::max(x0 + 1, x + int((ox + 1) * sx));
      double sum[3] = {0, 0, 0};
      for (int iy = y0; iy < std::min(y1, y + height); ++iy) {
        for (int ix = x0; ix < std::min(x1, x + width); ++ix) {
          const std::uint8_t* p = Pixel(image, ix, iy);
          for (int c = 0; c < 3; ++c)
            sum[c] += p[c];
        }
      }
      const double count = double(std::min(y1, y + height) - y0) * (std::min(x1, x + width) - x0);
      std::uint8_t* o = &out.rgb[(static_cast<std::size_t>(oy) * toWidth + ox) * 3];
      for (int c = 0; c < 3; ++c)
        o[c] = static_cast<std::uint8_t>(std::lround(sum[c] / count));
    }
  }
  return out;
}

double PlainShare(const ScreenImage& image, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return 1;
  std::map<std::uint32_t, long> counts;
  for (int iy = y; iy < y + height; ++iy) {
    for (int ix = x; ix < x + width; ++ix) {
      const std::uint8_t* p = Pixel(image, ix, iy);
      ++counts[std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2]];
    }
  }
  const auto commonest =
      std::max_element(counts.begin(), counts.end(),
                       [](const auto& a, const auto& b) { return a.second < b.second; });
  const int r = int(commonest->first >> 16), g = int(commonest->first >> 8 & 0xff),
            b = int(commonest->first & 0xff);
  long near = 0;
  for (const auto& [colour, count] : counts) {
    if (std::abs(int(colour >> 16) - r) <= 4 && std::abs(int(colour >> 8 & 0xff) - g) <= 4 &&
        std::abs(int(colour & 0xff) - b) <= 4) {
      near += count;
    }
  }
  return double(near) / (double(width) * height);
}

double KnobValue(const ScreenImage& image, double centreX, double centreY, double innerRadius,
                 double outerRadius, double spanDegrees) {
  double sumX = 0, sumY = 0;
  long count = 0;
  for (int y = int(centreY - outerRadius); y <= int(centreY + outerRadius); ++y) {
    for (int x = int(centreX - outerRadius); x <= int(centreX + outerRadius); ++x) {
      if (x < 0 || y < 0 || x >= image.width || y >= image.height) continue;
      const double dx = x - centreX, dy = y - centreY, r = std::hypot(dx, dy);
      if (r < innerRadius || r > outerRadius) continue;
      const std::uint8_t* p = Pixel(image, x, y);
      // The pointer is a pale cream; the knob's copper ring and scale are darker or redder.
      if (p[0] > 200 && std::min({p[0], p[1], p[2]}) > 150 && p[0] - p[2] < 60) {
        sumX += dx / r;
        sumY += dy / r;
        ++count;
      }
    }
  }
  // The pointer is a line some 35 pixels long and 3 wide; a few pale streaks of a brushed
  // background are not one.
  if (count < 60) return -1;
  const double degrees = std::atan2(sumX, -sumY) * 180 / kPi;
  return std::clamp(degrees / spanDegrees + 0.5, 0.0, 1.0);
}

bool LocateHue(const ScreenImage& image, int red, int green, int blue, int minPixels, int& centreX,
               int& centreY, int& boxWidth, int& boxHeight) {
  const double norm = double(red) * red + double(green) * green + double(blue) * blue;
  std::vector<bool> match(static_cast<std::size_t>(image.width) * image.height);
  std::vector<int> perRow(image.height), perColumn(image.width);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = Pixel(image, x, y);
      const double k = (p[0] * red + p[1] * green + p[2] * blue) / norm;
      if (k < 0.5 || k > 1.3 || std::abs(p[0] - k * red) > 6 || std::abs(p[1] - k * green) > 6 ||
          std::abs(p[2] - k * blue) > 6) {
        continue;
      }
      match[static_cast<std::size_t>(y) * image.width + x] = true;
      ++perRow[y];
      ++perColumn[x];
    }
  }
  // Stray pixels of that hue in text or meters are left out: only the rows and columns where
  // the painted area is at least a quarter as wide or tall as at its widest or tallest count.
  const int rowFloor = *std::max_element(perRow.begin(), perRow.end()) / 4;
  const int columnFloor = *std::max_element(perColumn.begin(), perColumn.end()) / 4;
  int left = image.width, top = image.height, right = -1, bottom = -1;
  long count = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (!match[static_cast<std::size_t>(y) * image.width + x] || perRow[y] <= rowFloor ||
          perColumn[x] <= columnFloor) {
        continue;
      }
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      ++count;
    }
  }
  if (count < minPixels) return false;
  centreX = (left + right) / 2;
  centreY = (top + bottom) / 2;
  boxWidth = right - left + 1;
  boxHeight = bottom - top + 1;
  return true;
}

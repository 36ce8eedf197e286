#pragma once

#include <cstdint>
#include <vector>

// An 8-bit RGB picture, rows top to bottom, as grabbed from a window or read from a file.
struct ScreenImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb; // width * height * 3
};

struct ImageDifference {
  double meanAbsolute = 0;  // mean |a - b| over every channel of every pixel, 0..255
  double fractionApart = 0; // pixels where some channel differs by more than the threshold
};

// The part of an image from (x, y) of width by height, clipped to the image.
ScreenImage CropImage(const ScreenImage& image, int x, int y, int width, int height);

// Images of different sizes are entirely apart.
ImageDifference CompareImages(const ScreenImage& a, const ScreenImage& b, int threshold);

// Counts colours up to a limit: a window that shows artwork has thousands, a cleared or
// unpainted one a handful.
int DistinctColours(const ScreenImage& image, int limit);

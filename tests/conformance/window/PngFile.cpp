#include "PngFile.h"

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

bool ReadPng(const std::string& path, ScreenImage& out) {
  int channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &out.width, &out.height, &channels, 3);
  if (!pixels) return false;
  out.rgb.assign(pixels, pixels + static_cast<std::size_t>(out.width) * out.height * 3);
  stbi_image_free(pixels);
  return true;
}

bool WritePng(const std::string& path, const ScreenImage& image) {
  return !image.rgb.empty() &&
         stbi_write_png(path.c_str(), image.width, image.height, 3, image.rgb.data(), 0) != 0;
}

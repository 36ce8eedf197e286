// NanoVG's file and memory image loaders, on the system's stb_image (PNG and JPEG only).
#include "nanovg.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#include <stb/stb_image.h>

namespace {

// Straight alpha as NanoVG expects it; Apple's CgBI PNG variant is converted to RGB order.
int CreateImageFromPixels(NVGcontext* ctx, int imageFlags, stbi_uc* pixels, int w, int h) {
  if (pixels == nullptr) return 0;
  const int image = nvgCreateImageRGBA(ctx, w, h, imageFlags, pixels);
  stbi_image_free(pixels);
  return image;
}

void PrepareDecoder() {
  stbi_set_unpremultiply_on_load(1);
  stbi_convert_iphone_png_to_rgb(1);
}

} // namespace

int nvgCreateImage(NVGcontext* ctx, const char* filename, int imageFlags) {
  if (ctx == nullptr || filename == nullptr) return 0;
  PrepareDecoder();
  int w = 0, h = 0, n = 0;
  stbi_uc* pixels = stbi_load(filename, &w, &h, &n, 4);
  return CreateImageFromPixels(ctx, imageFlags, pixels, w, h);
}

int nvgCreateImageMem(NVGcontext* ctx, int imageFlags, const unsigned char* data, int ndata) {
  if (ctx == nullptr || data == nullptr || ndata <= 0) return 0;
  PrepareDecoder();
  int w = 0, h = 0, n = 0;
  stbi_uc* pixels = stbi_load_from_memory(data, ndata, &w, &h, &n, 4);
  return CreateImageFromPixels(ctx, imageFlags, pixels, w, h);
}

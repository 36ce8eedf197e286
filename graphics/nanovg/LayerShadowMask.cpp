#include "LayerShadowMask.h"

#include <algorithm>

namespace {

// Averages count values spaced stride apart over a window of 2·radius + 1, edges clamped.
void BoxBlurLine(const uint8_t* src, uint8_t* dst, int count, size_t stride, int radius) {
  const int window = 2 * radius + 1;
  int sum = 0;
  for (int i = -radius; i <= radius; ++i)
    sum += src[std::clamp(i, 0, count - 1) * stride];
  for (int i = 0; i < count; ++i) {
    dst[i * stride] = static_cast<uint8_t>((sum + window / 2) / window);
    sum += src[std::min(i + radius + 1, count - 1) * stride];
    sum -= src[std::max(i - radius, 0) * stride];
  }
}

} // namespace

std::vector<uint8_t> MakeLayerShadowMask(const std::vector<uint8_t>& pixels, int width, int height,
                                         int alphaIndex, int radius) {
  if (width <= 0 || height <= 0 || alphaIndex < 0 || alphaIndex > 3) return {};
  const size_t count = static_cast<size_t>(width) * height;
  if (pixels.size() / 4 < count) return {};
  // Wider than the layer itself blurs no further.
  radius = std::clamp(radius, 0, std::max(width, height));

  std::vector<uint8_t> alpha(count), blurred(count);
  for (size_t i = 0; i < count; ++i)
    alpha[i] = pixels[i * 4 + static_cast<size_t>(alphaIndex)];
  for (int y = 0; y < height; ++y)
    BoxBlurLine(&alpha[static_cast<size_t>(y) * width], &blurred[static_cast<size_t>(y) * width],
                width, 1, radius);
  for (int x = 0; x < width; ++x)
    BoxBlurLine(&blurred[static_cast<size_t>(x)], &alpha[static_cast<size_t>(x)], height,
                static_cast<size_t>(width), radius);

  std::vector<uint8_t> mask(count * 4, 0);
  for (size_t i = 0; i < count; ++i)
    mask[i * 4 + 3] = alpha[i];
  return mask;
}

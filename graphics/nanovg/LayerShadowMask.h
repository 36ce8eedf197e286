#pragma once

#include <cstdint>
#include <vector>

// The shadow mask of a layer's pixels: black whose alpha is the layer's alpha (channel
// alphaIndex of each 4-byte pixel) blurred by a box of radius pixels, run once across and once
// down. Empty when pixels holds fewer than width × height × 4 bytes.
std::vector<uint8_t> MakeLayerShadowMask(const std::vector<uint8_t>& pixels, int width, int height,
                                         int alphaIndex, int radius);

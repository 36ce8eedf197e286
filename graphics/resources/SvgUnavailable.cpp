#include "SvgDocument.h"

// Without an SVG library every document is refused, as when librsvg is missing on Linux; no
// document is ever made, so there is no handle to release.
std::unique_ptr<SvgDocument> SvgDocument::Parse(const std::vector<uint8_t>&, const char*, float) {
  return nullptr;
}

SvgDocument::~SvgDocument() = default;

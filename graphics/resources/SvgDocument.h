#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// A parsed SVG document: librsvg's handle (an RsvgHandle, owned) and the document's
// intrinsic size in the units it was parsed for.
class SvgDocument {
public:
  // Parses a whole SVG file. units is one of "px", "pt", "pc", "mm", "cm", "in" (any other
  // text counts as "px"); dpi converts between pixels and physical units (72 when not
  // positive). Null when the bytes are not an SVG document or librsvg is not available.
  static std::unique_ptr<SvgDocument> Parse(const std::vector<uint8_t>& bytes, const char* units,
                                            float dpi);
  ~SvgDocument();
  SvgDocument(const SvgDocument&) = delete;
  SvgDocument& operator=(const SvgDocument&) = delete;

  void* Handle() const { return mHandle; }
  float Width() const { return mWidth; }
  float Height() const { return mHeight; }

private:
  SvgDocument(void* handle, float width, float height)
      : mHandle(handle), mWidth(width), mHeight(height) {}

  void* mHandle;
  float mWidth;
  float mHeight;
};

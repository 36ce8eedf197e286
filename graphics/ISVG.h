#pragma once

#include "SvgDocument.h"

// What SVG drawing works from: a view of a document held by the process-wide SVG cache (its
// librsvg handle and intrinsic size). Valid while a graphics context exists; the default
// value is the empty document.
class ISVG {
public:
  ISVG() = default;
  explicit ISVG(const SvgDocument* document)
      : mHandle(document ? document->Handle() : nullptr),
        mWidth(document ? document->Width() : 0.f), mHeight(document ? document->Height() : 0.f) {}

  bool IsValid() const { return mHandle != nullptr; }
  void* Handle() const { return mHandle; }
  float W() const { return mWidth; }
  float H() const { return mHeight; }

private:
  void* mHandle = nullptr;
  float mWidth = 0.f;
  float mHeight = 0.f;
};

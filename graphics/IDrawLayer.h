#pragma once

#include "IBitmap.h"
#include "IRECT.h"

#include <memory>

// An off-screen surface that drawing can be redirected into: a render-target bitmap covering
// bounds (UI units). The layer owns its bitmap.
class IDrawLayer {
public:
  IDrawLayer(std::unique_ptr<APIBitmap> bitmap, const IRECT& bounds)
      : mBitmap(std::move(bitmap)), mBounds(bounds) {}

  APIBitmap* GetAPIBitmap() const { return mBitmap.get(); }
  const IRECT& Bounds() const { return mBounds; }

private:
  std::unique_ptr<APIBitmap> mBitmap;
  IRECT mBounds;
};

using ILayerPtr = std::unique_ptr<IDrawLayer>;

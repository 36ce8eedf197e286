#pragma once

#include "IBitmap.h"
#include "IRECT.h"

class IControl;
class IGraphics;

// Mix-in of the bitmap controls: holds the filmstrip and draws the frame that matches the
// value 0 of the control it belongs to, with that control's blend.
class IBitmapBase {
public:
  explicit IBitmapBase(const IBitmapHandle& bitmap) : mBitmap(bitmap) {}
  virtual ~IBitmapBase() = default;

  void AttachIControl(IControl* owner) { mOwner = owner; }
  const IBitmapHandle& GetBitmap() const { return mBitmap; }

  // The frame (1..frames) that shows a value: the nearest of the frames spread evenly over
  // 0..1. Values outside 0..1, and non-finite ones, show the frame at the nearer end.
  static int FrameForValue(int frames, double value);
  // One frame of the bitmap with its top-left corner at (x, y).
  static IRECT BitmapRECT(float x, float y, const IBitmapHandle& bitmap);
  // One frame of the bitmap centred in bounds.
  static IRECT CentredFrameRECT(const IRECT& bounds, const IBitmapHandle& bitmap);

  void DrawBitmap(IGraphics& g) const;
  // Swaps in the same image at the screen's current density.
  void ReloadBitmap(IGraphics* g);

protected:
  IBitmapHandle mBitmap;
  IControl* mOwner = nullptr;
};

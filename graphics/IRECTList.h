#pragma once

#include "IRECT.h"

#include <cstddef>
#include <vector>

// The regions to redraw on one display tick.
class IRECTList {
public:
  void Add(const IRECT& r) { mRects.push_back(r); }
  void Clear() { mRects.clear(); }
  int Size() const { return static_cast<int>(mRects.size()); }
  // An index out of range gives the empty rectangle.
  IRECT Get(int i) const;
  void Set(int i, const IRECT& r);
  IRECT Bounds() const;

  void PixelAlign(float scale);
  // Rewrites the list into fewer rectangles that do not overlap and cover the same area.
  void Optimize();

private:
  void Remove(std::size_t i);
  void Shrink(std::size_t i, const IRECT& o);
  void Split(std::size_t i, const IRECT& o);
  void MergeNeighbours();

  std::vector<IRECT> mRects;
};

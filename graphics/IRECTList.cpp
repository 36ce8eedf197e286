#include "IRECTList.h"

namespace {

bool Overlap(const IRECT& a, const IRECT& b) {
  return b.L <= a.R && a.L < b.R && b.T <= a.B && a.T < b.B;
}

bool SpansWidthOrHeight(const IRECT& o, const IRECT& r) {
  return (o.L == r.L && o.R == r.R) || (o.T == r.T && o.B == r.B);
}

bool Mergeable(const IRECT& a, const IRECT& b) {
  if (a.Empty() || b.Empty()) return true;
  if (a.L == b.L && a.R == b.R) return a.T <= b.B && b.T <= a.B;
  if (a.T == b.T && a.B == b.B) return a.L <= b.R && b.L <= a.R;
  return false;
}

} // namespace

IRECT IRECTList::Get(int i) const {
  if (i < 0 || i >= Size()) return IRECT();
  return mRects[static_cast<std::size_t>(i)];
}

void IRECTList::Set(int i, const IRECT& r) {
  if (i < 0 || i >= Size()) return;
  mRects[static_cast<std::size_t>(i)] = r;
}

IRECT IRECTList::Bounds() const {
  IRECT u;
  for (const IRECT& r : mRects)
    u = u.Union(r);
  return u;
}

void IRECTList::PixelAlign(float scale) {
  for (IRECT& r : mRects)
    r = r.GetPixelAligned(scale);
}

void IRECTList::Remove(std::size_t i) {
  mRects.erase(mRects.begin() + static_cast<long>(i));
}

// Keeps the part of rectangle i outside o, where o spans its whole width or height.
// When o crosses the middle of the rectangle two strips remain; the second one is
// appended so that no area is lost from the redraw.
void IRECTList::Shrink(std::size_t i, const IRECT& o) {
  const IRECT r = mRects[i];
  if (o.L != r.L) {
    mRects[i] = IRECT(r.L, r.T, o.L, r.B);
    if (o.R < r.R) mRects.push_back(IRECT(o.R, r.T, r.R, r.B));
  } else if (o.T != r.T) {
    mRects[i] = IRECT(r.L, r.T, r.R, o.T);
    if (o.B < r.B) mRects.push_back(IRECT(r.L, o.B, r.R, r.B));
  } else if (o.R != r.R) {
    mRects[i] = IRECT(o.R, r.T, r.R, r.B);
  } else {
    mRects[i] = IRECT(r.L, o.B, r.R, r.B);
  }
}

// Replaces rectangle i by two that cover it without o, which sits at one of its corners.
void IRECTList::Split(std::size_t i, const IRECT& o) {
  const IRECT r = mRects[i];
  IRECT appended;
  if (o.R == r.R && o.B == r.B) {
    appended = IRECT(r.L, r.T, r.R, o.T);
    mRects[i] = IRECT(r.L, o.T, o.L, r.B);
  } else if (o.R == r.R && o.T == r.T) {
    appended = IRECT(r.L, r.T, o.L, o.B);
    mRects[i] = IRECT(r.L, o.B, r.R, r.B);
  } else if (o.L == r.L && o.B == r.B) {
    appended = IRECT(r.L, r.T, r.R, o.T);
    mRects[i] = IRECT(o.R, o.T, r.R, r.B);
  } else {
    appended = IRECT(o.R, r.T, r.R, o.B);
    mRects[i] = IRECT(r.L, o.B, r.R, r.B);
  }
  mRects.push_back(appended);
}

void IRECTList::Optimize() {
  for (std::size_t i = 0; i < mRects.size(); ++i) {
    for (std::size_t j = i + 1; j < mRects.size();) {
      const IRECT a = mRects[i];
      const IRECT b = mRects[j];
      if (a.Contains(b)) {
        Remove(j);
        continue;
      }
      if (b.Contains(a)) {
        Remove(i);
        if (i >= mRects.size()) break;
        j = i + 1;
        continue;
      }
      if (Overlap(a, b)) {
        const IRECT o(std::max(a.L, b.L), std::max(a.T, b.T), std::min(a.R, b.R),
                      std::min(a.B, b.B));
        if (SpansWidthOrHeight(o, a))
          Shrink(i, o);
        else if (SpansWidthOrHeight(o, b))
          Shrink(j, o);
        else
          Split(a.Area() < b.Area() ? i : j, o);
      }
      ++j;
    }
  }
  MergeNeighbours();
}

void IRECTList::MergeNeighbours() {
  bool merged = true;
  while (merged) {
    merged = false;
    for (std::size_t j = 0; j < mRects.size() && !merged; ++j) {
      for (std::size_t k = j + 1; k < mRects.size(); ++k) {
        if (Mergeable(mRects[j], mRects[k])) {
          mRects[k] = mRects[j].Union(mRects[k]);
          Remove(j);
          merged = true;
          break;
        }
      }
    }
  }
}

#pragma once

#include <algorithm>
#include <cmath>

// A rectangle in UI units: left, top, right, bottom, y growing downwards.
// All four fields 0 is the empty rectangle, which contains and overlaps nothing.
struct IRECT {
  float L = 0.f;
  float T = 0.f;
  float R = 0.f;
  float B = 0.f;

  IRECT() = default;
  IRECT(float l, float t, float r, float b) : L(l), T(t), R(r), B(b) {}

  static IRECT MakeXYWH(float x, float y, float w, float h) { return IRECT(x, y, x + w, y + h); }

  bool Empty() const { return L == 0.f && T == 0.f && R == 0.f && B == 0.f; }
  float W() const { return R - L; }
  float H() const { return B - T; }
  float MW() const { return 0.5f * (L + R); }
  float MH() const { return 0.5f * (T + B); }
  float Area() const { return W() * H(); }

  bool operator==(const IRECT& o) const { return L == o.L && T == o.T && R == o.R && B == o.B; }
  bool operator!=(const IRECT& o) const { return !(*this == o); }

  bool Contains(float x, float y) const { return !Empty() && x >= L && x < R && y >= T && y < B; }

  // True when o lies entirely inside this rectangle (edges may coincide).
  bool Contains(const IRECT& o) const { return L <= o.L && o.R <= R && T <= o.T && o.B <= B; }

  bool Intersects(const IRECT& o) const {
    return !Empty() && !o.Empty() && R >= o.L && L < o.R && B >= o.T && T < o.B;
  }

  IRECT Intersect(const IRECT& o) const {
    if (!Intersects(o)) return IRECT();
    return IRECT(std::max(L, o.L), std::max(T, o.T), std::min(R, o.R), std::min(B, o.B));
  }

  IRECT Union(const IRECT& o) const {
    if (Empty()) return o;
    if (o.Empty()) return *this;
    return IRECT(std::min(L, o.L), std::min(T, o.T), std::max(R, o.R), std::max(B, o.B));
  }

  // Grows outwards to whole device pixels at scale s, so that drawing clipped to
  // the result covers every pixel the rectangle touches.
  IRECT GetPixelAligned(float s) const {
    if (!(s > 0.f)) return *this;
    return IRECT(std::floor(L * s) / s, std::floor(T * s) / s, std::ceil(R * s) / s,
                 std::ceil(B * s) / s);
  }

  IRECT GetPadded(float p) const { return IRECT(L - p, T - p, R + p, B + p); }
  IRECT GetTranslated(float dx, float dy) const { return IRECT(L + dx, T + dy, R + dx, B + dy); }

  // A box of w by h centred on this rectangle's centre.
  IRECT GetCentredInside(float w, float h) const {
    const float l = MW() - w / 2.f;
    const float t = MH() - h / 2.f;
    return IRECT(l, t, l + w, t + h);
  }
};

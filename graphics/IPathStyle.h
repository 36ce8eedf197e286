#pragma once

#include "IColor.h"
#include "IMatrix.h"

// What fills or strokes a path: one colour or a gradient of up to 16 stops.
struct IFillPattern {
  static constexpr int kMaxStops = 16;
  struct Stop {
    IColor mColor;
    float mOffset = 0.f;
  };

  int mType = 0; // 0 solid, 1 linear gradient, 2 radial gradient
  int mExtend = 0;
  Stop mStops[kMaxStops];
  int mNStops = 0;
  IMatrix mTransform;

  IFillPattern() = default;
  IFillPattern(const IColor& color) : mNStops(1) { mStops[0].mColor = color; }
  const IColor& GetStopColor(int i) const { return mStops[i].mColor; }
};

struct IFillStyle {
  bool mEvenOdd = false;
  bool mPreserve = false;
};

enum ELineCap { kCapButt = 0, kCapRound, kCapSquare };
enum ELineJoin { kJoinMiter = 0, kJoinRound, kJoinBevel };

struct IStrokeStyle {
  float mMiterLimit = 10.f;
  ELineCap mCap = kCapButt;
  ELineJoin mJoin = kJoinMiter;
  bool mPreserve = false;
};

#pragma once

#include <cmath>

// A 2-by-3 affine transform (xx, yx, xy, yy, tx, ty): x' = xx·x + xy·y + tx, y' = yx·x + yy·y + ty.
struct IMatrix {
  double mXX = 1., mYX = 0., mXY = 0., mYY = 1., mTX = 0., mTY = 0.;

  IMatrix() = default;
  IMatrix(double xx, double yx, double xy, double yy, double tx, double ty)
      : mXX(xx), mYX(yx), mXY(xy), mYY(yy), mTX(tx), mTY(ty) {}

  bool operator==(const IMatrix& o) const {
    return mXX == o.mXX && mYX == o.mYX && mXY == o.mXY && mYY == o.mYY && mTX == o.mTX &&
           mTY == o.mTY;
  }

  // This transform applied after m: (this · m).
  IMatrix& Transform(const IMatrix& m) {
    *this = IMatrix(mXX * m.mXX + mXY * m.mYX, mYX * m.mXX + mYY * m.mYX, mXX * m.mXY + mXY * m.mYY,
                    mYX * m.mXY + mYY * m.mYY, mXX * m.mTX + mXY * m.mTY + mTX,
                    mYX * m.mTX + mYY * m.mTY + mTY);
    return *this;
  }
  IMatrix& Translate(double x, double y) { return Transform(IMatrix(1., 0., 0., 1., x, y)); }
  IMatrix& Scale(double x, double y) { return Transform(IMatrix(x, 0., 0., y, 0., 0.)); }
  IMatrix& Rotate(double radians) {
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return Transform(IMatrix(c, s, -s, c, 0., 0.));
  }
  void TransformPoint(double& x, double& y) const {
    const double px = x;
    x = mXX * px + mXY * y + mTX;
    y = mYX * px + mYY * y + mTY;
  }
};

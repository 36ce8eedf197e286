#pragma once

// How drawn pixels combine with those below: a compositing kind (0 is the
// ordinary source-over) and an opacity weight.
struct IBlendMode {
  int mMethod = 0;
  float mWeight = 1.f;

  IBlendMode() = default;
  IBlendMode(int method, float weight = 1.f) : mMethod(method), mWeight(weight) {}
};

inline float BlendWeight(const IBlendMode* blend) {
  return blend ? blend->mWeight : 1.f;
}

#pragma once

#include "Kelvora.h"
#include "KelvoraParams.h"
#include "TestRenders.h"

// The effect is reference counted like every VST 3 object: made with new, let go with release().
class KelvoraInstance {
public:
  KelvoraInstance() : effect(new Kelvora(InstanceInfo{})) {}
  ~KelvoraInstance() { effect->release(); }
  KelvoraInstance(const KelvoraInstance&) = delete;
  KelvoraInstance& operator=(const KelvoraInstance&) = delete;
  Kelvora& get() { return *effect; }

private:
  Kelvora* effect;
};

inline void SetParamValue(Kelvora& k, int idx, double value) {
  k.GetParam(idx)->SetValue(value);
}

#pragma once

#include "pluginterfaces/base/funknown.h"

// Constructs one Kelvora instance (under the module's construction lock) and returns it as its
// IAudioProcessor interface, holding the reference the object is born with. The context is
// the one registered with the class, which Kelvora does not use.
Steinberg::FUnknown* CreateKelvoraInstance(void* context);

#pragma once

#include "pluginterfaces/base/ipluginbase.h"

// What the module's factory tells the host about the vendor and about the one class it offers.
// Each record is built once, on first use.
const Steinberg::PFactoryInfo& KelvoraFactoryInfo();
const Steinberg::PClassInfo2& KelvoraClassInfo();

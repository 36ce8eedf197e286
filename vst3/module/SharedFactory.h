#pragma once

#include "sdk/pluginfactory.h"

// Builds the module's factory on the first request and hands the same one, with a new
// reference, to every later request. Hosts may ask from several threads at once, so the
// build runs under a lock. The builder returns a factory holding its classes; when it fails
// (null or a throw) the request gets null and the next one builds again.
using FactoryBuilder = Steinberg::CPluginFactory* (*)();
Steinberg::IPluginFactory* SharedPluginFactory(FactoryBuilder build);

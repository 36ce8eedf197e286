#pragma once

#include "Config.h"

// The compiled-in configuration that makes the framework bases this effect's.
Config KelvoraConfig();

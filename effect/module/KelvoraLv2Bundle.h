#pragma once

#include "Lv2Turtle.h"

#include <string>

// The file beside manifest.ttl that describes the plug-ins.
constexpr const char* kKelvoraLv2DescriptionFile = "kelvora.ttl";

// Kelvora.lv2 as its Turtle describes it: the plug-ins, every parameter of the table, the
// vendor and version; with the editor when the module has one built in (withUi).
Lv2BundleEntry KelvoraLv2Bundle(const std::string& binary, bool withUi);

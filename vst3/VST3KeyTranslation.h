#pragma once

#include "IKeyPress.h"

#include "pluginterfaces/base/ftypes.h"

// A host key event (UTF-16 character, VST 3 virtual key code, VST 3 modifier bits) as the
// framework's key press: the one-byte text it types, its key code and its modifier keys.
IKeyPress TranslateVST3KeyPress(Steinberg::char16 key, Steinberg::int16 keyCode,
                                Steinberg::int16 modifiers);

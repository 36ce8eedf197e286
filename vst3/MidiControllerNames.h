#pragma once

// The title of MIDI control change `controller` (0..127) as hosts show it; null outside that
// range.
const char* MidiControllerName(int controller);

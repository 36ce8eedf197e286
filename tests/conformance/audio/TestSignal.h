#pragma once

#include "AudioBuffer.h"

// A stereo programme for host renders: a tenth of a second of silence first (hosts ramp their
// outputs in when an export starts), then a low note rising from quiet to near full scale on
// the left, a decaying chord with a little noise on the right (so the channels differ and the
// level follower and drive both move), and a silent tail that shows what each host adds after
// the input ends.
AudioBuffer MakeTestSignal(double seconds, double sampleRate);

#pragma once

// Names for the numbered places of the effect's per-channel state.
namespace kelvora {

// The one-pole smoothers of a channel, by what each one follows.
enum Smoother : int {
  kRampStep = 0,      // the upsampling ramp's increment, per input sample
  kUpperRef = 1,      // the drive output a little while back: the pre-stage's upper reference
  kLowerRef = 2,      // the drive output further back: the pre-stage's lower reference
  kLastOutput = 3,    // the last decimated output
  kBlockNear = 4,     // the decimated output a little while back
  kBlockFar = 5,      // the decimated output further back
  kTrack = 6,         // the tracking value the follower leans on
  kLevel = 7,         // how far the signal strays from the last output
  kHistoryNear = 8,   // the sub-sample output history a little while back
  kHistoryFar = 9,    // the sub-sample output history further back
  kHistoryStep = 10,  // the ceiling output's step away from the near history
  kHistoryTrend = 11, // the history's own step from far to near
  kSlew = 12,         // the decimated output's step, per input sample
  kSmootherSlots = 16
};

// The waveshaper's modes; any other value passes the sample through.
enum SaturationMode : int { kDriveMode = 1, kCeilingMode = 2 };

// The anti-aliasing memory of each mode.
enum AntiAliasingSlot : int { kDriveSlot = 5, kCeilingSlot = 6, kAntiAliasingSlots = 16 };

// The histories hold 64 values; one input sample shifts the first 36 of them by one.
constexpr int kHistoryLength = 64;
constexpr int kShiftedHistory = 36;

} // namespace kelvora

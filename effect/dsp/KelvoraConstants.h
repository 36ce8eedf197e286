#pragma once

// The fixed numbers of the signal chain, named by their role. Where a width or a ratio is written
// as an expression, the expression gives exactly the double the chain was tuned with.
namespace kelvora {

// Reference levels and the level follower's tuning scale with the rate over 44.1 kHz, the
// "Tame" curve with the rate over 22.05 kHz.
constexpr double kCdRate = 44100.0;
constexpr double kPerCdRate = 1.0 / kCdRate;
constexpr double kPerHalfCdRate = 1.0 / (kCdRate / 2.0);
static_assert(kPerCdRate == 2.2675736961451248e-05 && kPerHalfCdRate == 4.5351473922902495e-05);

// -0.1 dB: knee of the cubic soft clip and threshold of the drive pre-stage.
constexpr long double kKnee = 0.9885530946569389L;
// The cubic soft clip 1.45 m - 0.45 m^3 on m = 0.9 v: m is half the knee-limited span.
constexpr double kCubicLinear = 1.45;
constexpr double kCubicSpan = 0.45;

// The drive pre-stage runs only above this lower reference level.
constexpr double kPreStageFloor = 1e-38;

// -0.2 dB: where the output ceiling starts to compress. Its crossfades: the tanh-compressed
// excess fades in up to full scale; the cubic fades in from 0.85 up to full scale.
constexpr long double kCeiling = 0.9772372209558107L;
constexpr double kCeilingFadeWidth = 1.0 - static_cast<double>(kCeiling);
static_assert(kCeilingFadeWidth == 0.02276277904418933);
constexpr double kCubicFadeStart = 0.85;
constexpr double kCubicFadeWidth = 1.0 - kCubicFadeStart;
static_assert(kCubicFadeWidth == 0.15000000000000002);

// The final soft clip fades into the cubic from 0.9 up to full scale.
constexpr double kSoftClipStart = 0.9;
constexpr double kSoftClipWidth = 1.0 - kSoftClipStart;
static_assert(kSoftClipWidth == 0.09999999999999998);

// With "React", the follower's level runs from (1 - kLevelLoud)^8 for a signal far below the
// last output to (1 - kLevelQuiet)^8 for one far above it.
constexpr double kLevelQuiet = 0.58223574541;
constexpr double kLevelLoud = 0.91213574841;

// The share of the history-followed signal in the sub-sample output.
constexpr double kHistoryShare = 0.2;
constexpr double kCeilingShare = 0.8;

// "Bias" offset = kBiasScale * value - kBiasCentre; the output bias acts at 80 % strength.
constexpr double kBiasScale = 1.5;
constexpr double kBiasCentre = 0.75;
constexpr double kOutputBiasStrength = 0.8;

// "Tame" curve: (kTameScale * tame)^kTameExponent.
constexpr double kTameScale = 1.5;
constexpr double kTameExponent = 11.0;

// "Input Gain": drive = kDriveBase^gain, and the saturated signal is scaled back by
// 1 - kInGainCompensation * gain (in extended precision).
constexpr double kDriveBase = 3.0;
constexpr long double kInGainCompensation = 0.33810717055349724167L;

// Below this "Wet" the output also fades toward the dry input.
constexpr double kDryFadeEnd = 0.82;

// Samples beyond this magnitude are held at it inside the chain, so that no product or
// difference of the chain can overflow; far above anything audible, so audio passes untouched.
constexpr double kLoudestInput = 1e100;

} // namespace kelvora

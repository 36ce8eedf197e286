#pragma once

// The output low-pass (transposed direct form II; b2 always equals b0) and the make-up gain
// for one sample rate.
namespace kelvora {

struct ToneCoefficients {
  int sampleRate;
  double b0;
  double b1;
  double a1;
  double a2;
  float gainCompensation;
};

// The rates with a tuned set; 88.2 and 96 kHz lose level at 0 Hz, which their gain offsets in
// part.
constexpr ToneCoefficients kToneTable[] = {
    {44100, 0.8151655733662241, 1.6303311467324482, 1.5950606290772769, 0.6656016643876196, 1.0f},
    {48000, 0.6917994904412835, 1.383598980882567, 1.2842610434611013, 0.48293691830403307, 1.0f},
    {88200, 0.25281587515667564, 0.5056317503133513, 0.1722195203912214, 0.18348302101792383,
     1.5848932266235352f},
    {96000, 0.22143465387145803, 0.44286930774291605, 0.30929831798252466, 0.19503693346835663,
     1.9952622652053833f},
    {192000, 0.07223066687518032, 0.14446133375036063, -1.1092255915028943, 0.39814825900361117,
     1.0f},
};

// The set for a rate truncated to an integer, or null when the rate has none.
const ToneCoefficients* FindToneCoefficients(double sampleRate);

} // namespace kelvora

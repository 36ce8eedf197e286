#pragma once

// Where the effect's layout puts things, in UI units (the default window shows them at half
// size): the points the editor tests point at.
constexpr float kInputGainOverlayX = 126.f + 140.f; // the "Input Gain" overlay's centre
constexpr float kInputGainOverlayY = 192.f + 143.f;
constexpr float kOversamplingX = 1525.f + 50.f;
constexpr float kOversamplingY = 890.f + 39.f;
constexpr float kLampX = 824.f + 32.f;
constexpr float kLampY = 32.f;
constexpr float kReactX = 516.f + 98.f;
constexpr float kReactY = 752.f + 32.f;
constexpr float kBackgroundX = 1000.f; // plain background, no control
constexpr float kBackgroundY = 60.f;

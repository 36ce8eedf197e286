#pragma once

// Who changed a parameter; passed with every change notification.
enum ParamChangeSource {
  kSourceReset = 0,
  kSourceHost = 1,
  kSourcePresetRecall = 2,
  kSourceEditor = 3,
  kSourceDelegate = 4
};

#pragma once

#include <string_view>

struct WindowPoint {
  int x = 0;
  int y = 0;
};

// The centre of the knob the editor draws for a parameter symbol ("input_gain"), in pixels of
// an editor window of the given size: the layout's position of the knob's image, scaled as the
// editor scales its picture into its window (to fit, at the top left). False for a symbol
// without a knob or a window with no area.
bool KnobCentreInWindow(std::string_view param, int windowWidth, int windowHeight,
                        WindowPoint& out);

#pragma once

#include "ScreenImage.h"

// How a resizable editor is expected to fill a window a host sizes: the picture scaled to fit,
// keeping its aspect ratio within the editor's scale range, at the window's top left, with a
// plain fill to the right of or below it.
struct PictureLayout {
  double scale = 1;
  int width = 0; // the picture's extent in the window, pixels
  int height = 0;
};

PictureLayout FitPicture(int windowWidth, int windowHeight, int editorWidth, int editorHeight,
                         double minScale, double maxScale);

// A region of an image, resampled by area averaging (or nearest pixels where it grows) to a size.
ScreenImage Resample(const ScreenImage& image, int x, int y, int width, int height, int toWidth,
                     int toHeight);

// The share of a region's pixels within a few levels of its commonest colour: 1 for a plain fill.
double PlainShare(const ScreenImage& image, int x, int y, int width, int height);

// Reads a knob's value, 0 to 1, from the bright pointer drawn between two radii around its
// centre: pointing up is the middle, and the pointer turns clockwise through a span of degrees.
// Negative when no pointer is drawn there.
double KnobValue(const ScreenImage& image, double centreX, double centreY, double innerRadius,
                 double outerRadius, double spanDegrees);

// The centre of the pixels of one hue at any brightness (a colour and its shades, as a gradient
// paints them); false when fewer than minPixels have it.
bool LocateHue(const ScreenImage& image, int red, int green, int blue, int minPixels, int& centreX,
               int& centreY, int& boxWidth, int& boxHeight);

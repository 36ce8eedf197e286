#pragma once

#include "IBlendMode.h"
#include "IColor.h"
#include "IPathStyle.h"
#include "NanoVGGL.h"

// How the framework's colours, blends and patterns reach NanoVG.

// Components / 255; alpha also times the blend weight (1 without a blend).
NVGcolor NanoVGColor(const IColor& color, const IBlendMode* blend = nullptr);

// Sets the compositing for the next draw; kinds outside 0..9 leave it unchanged.
void NanoVGSetBlendMode(NVGcontext* vg, const IBlendMode* blend);

// A gradient paint from the first and last stops of a non-solid pattern.
NVGpaint NanoVGPaint(NVGcontext* vg, const IFillPattern& pattern, const IBlendMode* blend);

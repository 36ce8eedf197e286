#pragma once

class IGraphics;
class IGEditorDelegate;

// The editor's graphics context of the operating system the module is built for, of w × h UI
// units at draw scale scale, drawing fps frames a second. bundleId names the bundle whose
// resources it loads. The caller owns the result. Each window layer defines it once.
IGraphics* MakePlatformGraphics(IGEditorDelegate& delegate, int w, int h, int fps, float scale,
                                const char* bundleId);

#pragma once

class IGraphics;
class IGEditorDelegate;
class IPluginBase;

// The effect's editor: a fixed picture of kKelvoraEditorWidth × kKelvoraEditorHeight UI units
// (KelvoraIdentity.h), shown at half size and scalable with the corner resizer.
constexpr int kKelvoraEditorFps = 60;
constexpr float kKelvoraEditorScale = 0.5f;

// The editor's graphics context for the plug-in; the caller owns it.
IGraphics* MakeKelvoraGraphics(IGEditorDelegate& delegate);

// Fills a new context with the controls of kKelvoraLayout (KelvoraLayout.h), row by row. A
// context that holds controls already (a layout after a resize) is left as it is.
void LayoutKelvoraEditor(IGraphics& g, const IPluginBase& plug);

#pragma once

#include "IEditorDelegate.h"

// The fuzzers drive the plug-in base's readers, which never reach the graphics editor; this
// stand-in for the graphics delegate keeps the renderer, fonts and host SDK out of their build.
class IGEditorDelegate : public IEditorDelegate {
public:
  explicit IGEditorDelegate(int nParams) : IEditorDelegate(nParams) {}

  IGraphics* GetUI() const { return nullptr; }
};

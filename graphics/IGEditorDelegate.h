#pragma once

#include "IEditorDelegate.h"

#include <functional>
#include <memory>

class IControl;
class IGraphics;
class IPopupMenu;

// Makes the editor's graphics context; the caller owns the result. Null means no editor.
using MakeGraphicsFunc = std::function<IGraphics*()>;
// Fills a new graphics context with the editor's controls.
using LayoutFunc = std::function<void(IGraphics* graphics)>;

// Joins the plug-in to its graphics editor: owns the open editor's graphics context,
// remembers its size and scale while it is closed, and forwards what the plug-in sends
// towards the editor to its controls.
class IGEditorDelegate : public IEditorDelegate {
public:
  explicit IGEditorDelegate(int nParams);
  ~IGEditorDelegate() override;

  // Editor lifetime
  void* OpenEditor(void* parent) override;
  void CloseEditor() override;

  // Plug-in to editor
  bool OnKeyDown(const IKeyPress& key) override;
  bool OnKeyUp(const IKeyPress& key) override;
  void SendControlValueToEditor(int ctrlTag, double normalizedValue) override;
  void SendControlMessageToEditor(int ctrlTag, int msgTag, int dataSize, const void* data) override;
  void SendMidiToEditor(const IMidiMsg& msg) override;
  void SendParamValueToEditor(int paramIdx, double value, bool normalized) override;

  // Editor size record: width (int32), height (int32), draw scale (float), 12 bytes.
  bool WriteEditorState(IByteChunk& chunk) const override;
  // Returns the position after the record, or -1 when the chunk ends inside it; the
  // fields from there on read as 0, which never resizes an open editor.
  int ReadEditorState(const IByteChunk& chunk, int startPos) override;
  void SetScreenScale(float scale) override;
  IGraphics* MakeGraphics() override;
  void BuildLayout(IGraphics* graphics) override;

  // Asks the host for its context menu of a parameter, extended by the items the control
  // offers, at (x, y) in window points. Returns whether a menu was shown; without a host
  // that offers parameter menus nothing is shown.
  virtual bool ShowHostContextMenu(IControl& control, int paramIdx, const IPopupMenu& items,
                                   float x, float y);

  IGraphics* GetUI() const { return mGraphics.get(); }
  int GetLastWidth() const { return mLastWidth; }
  int GetLastHeight() const { return mLastHeight; }
  float GetLastScale() const { return mLastScale; }

protected:
  // The plug-in installs these two in its constructor.
  MakeGraphicsFunc mMakeGraphicsFunc;
  LayoutFunc mLayoutFunc;
  std::unique_ptr<IGraphics> mGraphics;

private:
  bool HasLastSize() const;

  int mLastWidth = 0;
  int mLastHeight = 0;
  float mLastScale = 0.f;
  bool mClosing = false;
};

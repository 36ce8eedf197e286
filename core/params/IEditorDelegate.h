#pragma once

#include "Config.h"
#include "IByteChunk.h"
#include "IMidiMsg.h"
#include "IParam.h"
#include "ISysEx.h"
#include "ParamChangeSource.h"

#include <memory>
#include <vector>

struct IKeyPress;
class IGraphics;

// The meeting point of plug-in and editor: it owns the parameters and carries
// hooks and messages in both directions. The defaults here work without a host
// or an editor; the graphics delegate and the API base override them.
class IEditorDelegate {
public:
  explicit IEditorDelegate(int nParams);
  IEditorDelegate(const IEditorDelegate&) = delete;
  IEditorDelegate& operator=(const IEditorDelegate&) = delete;
  virtual ~IEditorDelegate();

  // Parameters; null for an index outside the list.
  IParam* GetParam(int paramIdx);
  const IParam* GetParam(int paramIdx) const;
  int NParams() const { return static_cast<int>(mParams.size()); }

  // Editor settings
  void ConfigureEditor(const Config& config);
  void SetEditorSize(int width, int height);
  // Each pair is stored ordered: the smaller value is the minimum.
  void SetSizeConstraints(int widthA, int widthB, int heightA, int heightB);
  void SetHostResizeEnabled(bool enabled) { mHostResize = enabled; }
  bool HasUI() const { return mHasUI; }
  bool GetHostResizeEnabled() const { return mHostResize; }
  int GetEditorWidth() const { return mEditorWidth; }
  int GetEditorHeight() const { return mEditorHeight; }
  int GetMinWidth() const { return mMinWidth; }
  int GetMaxWidth() const { return mMaxWidth; }
  int GetMinHeight() const { return mMinHeight; }
  int GetMaxHeight() const { return mMaxHeight; }
  // The UI size and draw scale of the editor's first opening, as configured: what a host is
  // told before any editor exists.
  int GetOpeningWidth() const { return mOpeningWidth; }
  int GetOpeningHeight() const { return mOpeningHeight; }
  float GetOpeningDrawScale() const { return mOpeningDrawScale; }

  // Editor lifetime
  virtual void* OpenEditor(void* parent);
  virtual void CloseEditor();
  virtual void ParentResizedHook(int width, int height);
  virtual void EditorOpenedHook();
  virtual void EditorClosedHook();

  // Plug-in to editor
  virtual void ParamChangeHook(int paramIdx, ParamChangeSource source, int sampleOffset);
  virtual void ParamIndexChangeHook(int paramIdx);
  virtual void EditorParamChangeHook(int paramIdx, ParamChangeSource source);
  virtual void AnnounceAllParams(ParamChangeSource source);
  virtual void EditorMidiHook(const IMidiMsg& msg);
  virtual void EditorSysExHook(const ISysEx& sysEx);
  virtual bool MessageHook(int msgTag, int ctrlTag, int dataSize, const void* data);
  virtual void StateRestoredHook();
  virtual bool OnKeyDown(const IKeyPress& key);
  virtual bool OnKeyUp(const IKeyPress& key);
  virtual void SendControlValueToEditor(int ctrlTag, double normalizedValue);
  virtual void SendControlMessageToEditor(int ctrlTag, int msgTag, int dataSize, const void* data);
  virtual void SendMessageToEditor(int msgTag, int dataSize, const void* data);
  virtual void SendMidiToEditor(const IMidiMsg& msg);
  virtual void SendSysExToEditor(const ISysEx& sysEx);
  virtual void SendParamValueToEditor(int paramIdx, double value, bool normalized);

  // Editor to plug-in and host
  virtual void AnnounceAllParamsToHost();
  virtual void BeginParamEditFromEditor(int paramIdx) = 0;
  virtual void SetParamFromEditor(int paramIdx, double normalizedValue);
  virtual void EndParamEditFromEditor(int paramIdx) = 0;
  virtual bool ResizeFromEditor(int width, int height, bool needsPlatformResize);
  virtual void SendMidiFromEditor(const IMidiMsg& msg);
  virtual void SendSysExFromEditor(const ISysEx& sysEx);
  virtual void SendMessageFromEditor(int msgTag, int ctrlTag, int dataSize, const void* data);
  virtual void QueueMidiFromEditor(const IMidiMsg& msg);
  virtual void QueueSysExFromEditor(int offset, int size, const uint8_t* data);

  // Editor state and graphics
  virtual bool WriteEditorState(IByteChunk& chunk) const;
  virtual int ReadEditorState(const IByteChunk& chunk, int startPos);
  virtual void SetScreenScale(float scale);
  virtual IGraphics* MakeGraphics() = 0;
  virtual void BuildLayout(IGraphics* graphics) = 0;

private:
  std::vector<std::unique_ptr<IParam>> mParams;
  bool mHasUI = false;
  bool mHostResize = false;
  int mEditorWidth = 0;
  int mEditorHeight = 0;
  int mMinWidth = 0;
  int mMaxWidth = 0;
  int mMinHeight = 0;
  int mMaxHeight = 0;
  int mOpeningWidth = 0;
  int mOpeningHeight = 0;
  float mOpeningDrawScale = 1.f;
};

#include "IGEditorDelegate.h"

#include "IControl.h"
#include "IGraphics.h"

#include <cmath>

IGEditorDelegate::IGEditorDelegate(int nParams) : IEditorDelegate(nParams) {}

// The context's controls call back into this delegate while they are deleted.
IGEditorDelegate::~IGEditorDelegate() {
  mGraphics.reset();
}

void* IGEditorDelegate::OpenEditor(void* parent) {
  if (!mGraphics) {
    mGraphics.reset(MakeGraphics());
    if (mGraphics && HasLastSize()) mGraphics->Resize(mLastWidth, mLastHeight, mLastScale, true);
  }
  if (!mGraphics) return nullptr;
  return mGraphics->OpenEditorWindow(parent);
}

bool IGEditorDelegate::HasLastSize() const {
  return mLastWidth != 0 && mLastHeight != 0 && mLastScale != 0.f;
}

// Closing the window may bring the host back here; the guard keeps that from deleting the
// context twice.
void IGEditorDelegate::CloseEditor() {
  if (mClosing) return;
  mClosing = true;
  EditorClosedHook();
  if (mGraphics) {
    mLastWidth = mGraphics->Width();
    mLastHeight = mGraphics->Height();
    mLastScale = mGraphics->DrawScale();
    // A drag cut short by the closing still ends the host's edit gesture it opened.
    mGraphics->ReleaseCapture();
    mGraphics->CloseEditorWindow();
    // Out of the delegate first: controls being deleted must find no editor here.
    std::unique_ptr<IGraphics> closing = std::move(mGraphics);
    closing.reset();
  }
  mClosing = false;
}

bool IGEditorDelegate::OnKeyDown(const IKeyPress& key) {
  if (!mGraphics) return false;
  float x = 0.f, y = 0.f;
  mGraphics->ReadMouseLocation(x, y);
  return mGraphics->OnKeyDown(x, y, key);
}

bool IGEditorDelegate::OnKeyUp(const IKeyPress& key) {
  if (!mGraphics) return false;
  float x = 0.f, y = 0.f;
  mGraphics->ReadMouseLocation(x, y);
  return mGraphics->OnKeyUp(x, y, key);
}

void IGEditorDelegate::SendControlValueToEditor(int ctrlTag, double normalizedValue) {
  if (!mGraphics) return;
  if (IControl* c = mGraphics->FindControlByTag(ctrlTag)) c->SetValueFromPlugin(normalizedValue, 0);
}

void IGEditorDelegate::SendControlMessageToEditor(int ctrlTag, int msgTag, int dataSize,
                                                  const void* data) {
  if (!mGraphics) return;
  if (IControl* c = mGraphics->FindControlByTag(ctrlTag))
    c->OnPluginMessage(msgTag, dataSize, data);
}

void IGEditorDelegate::SendMidiToEditor(const IMidiMsg& msg) {
  if (mGraphics) {
    for (int i = 0; i < mGraphics->ControlCount(); ++i) {
      IControl* c = mGraphics->ControlAt(i);
      if (c->GetWantsMidi()) c->OnMidi(msg);
    }
  }
  EditorMidiHook(msg);
}

// A control being dragged ignores the value (SetValueFromPlugin), so the host's automation
// does not fight the user's hand.
void IGEditorDelegate::SendParamValueToEditor(int paramIdx, double value, bool normalized) {
  if (mGraphics) {
    const IParam* p = GetParam(paramIdx);
    if (!normalized && p) value = p->NormalizedFromValue(value);
    if (normalized || p) {
      for (int i = 0; i < mGraphics->ControlCount(); ++i) {
        IControl* c = mGraphics->ControlAt(i);
        for (int v = 0; v < c->ValueCount(); ++v)
          if (c->BoundParam(v) == paramIdx) c->SetValueFromPlugin(value, v);
      }
    }
  }
  EditorParamChangeHook(paramIdx, kSourceDelegate);
}

bool IGEditorDelegate::WriteEditorState(IByteChunk& chunk) const {
  int32_t width = mLastWidth;
  int32_t height = mLastHeight;
  float scale = mLastScale;
  if (mGraphics) {
    width = mGraphics->Width();
    height = mGraphics->Height();
    scale = mGraphics->DrawScale();
  }
  chunk.Put(width);
  chunk.Put(height);
  chunk.Put(scale);
  return true;
}

int IGEditorDelegate::ReadEditorState(const IByteChunk& chunk, int startPos) {
  int32_t width = 0;
  int32_t height = 0;
  float scale = 0.f;
  int pos = chunk.Get(width, startPos);
  if (pos >= 0) pos = chunk.Get(height, pos);
  if (pos >= 0) pos = chunk.Get(scale, pos);
  // A scale that is no number at all is as unusable as a missing one.
  if (!std::isfinite(scale)) scale = 0.f;

  if (!mGraphics) {
    mLastWidth = width;
    mLastHeight = height;
    mLastScale = scale;
  } else if (width != 0 && height != 0 && scale != 0.f) {
    mGraphics->Resize(width, height, scale, true);
  }
  return pos;
}

void IGEditorDelegate::SetScreenScale(float scale) {
  if (mGraphics) mGraphics->SetScreenScale(scale);
}

IGraphics* IGEditorDelegate::MakeGraphics() {
  return mMakeGraphicsFunc ? mMakeGraphicsFunc() : nullptr;
}

void IGEditorDelegate::BuildLayout(IGraphics* graphics) {
  if (mLayoutFunc && graphics) mLayoutFunc(graphics);
}

bool IGEditorDelegate::ShowHostContextMenu(IControl&, int, const IPopupMenu&, float, float) {
  return false;
}

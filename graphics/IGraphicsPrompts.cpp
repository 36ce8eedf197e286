#include "IGraphics.h"

#include "IGEditorDelegate.h"
#include "IParam.h"
#include "IPopupMenuControl.h"
#include "ITextEntryControl.h"

#include <string>

void IGraphics::PromptForValue(IControl& control, const IRECT& bounds, int valIdx) {
  const IParam* p = control.BoundParamObject(valIdx);
  if (!p) return;
  std::string current;
  p->FormatDisplay(p->Value(), false, current);
  const bool menu = p->Type() == IParam::kTypeEnum ||
                    (p->Type() == IParam::kTypeBool && p->DisplayTextCount() > 0);
  if (menu) {
    mPromptPopupMenu.Clear();
    mPromptPopupMenu.SetRootTitle(p->Name());
    for (int i = 0; i < p->DisplayTextCount(); ++i) {
      const char* text = p->DisplayTextAt(i);
      IPopupMenu::Item* item = mPromptPopupMenu.AddItem(text);
      if (text && current == text) item->SetChecked(true);
    }
    CreatePopupMenu(control, mPromptPopupMenu, bounds, valIdx);
  } else {
    if (control.GetShowParamLabel()) {
      current += " ";
      current += p->Label();
    }
    CreateTextEntry(control, control.GetText(), bounds, current.c_str(), valIdx);
    control.MarkDirty(false);
  }
}

void IGraphics::CreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds,
                                int valIdx) {
  ReleaseCapture();
  mInPopupMenu = &control;
  mPopupMenuValIdx = valIdx;
  if (mPopupMenuControl) {
    mPopupMenuControl->CreatePopupMenu(menu, bounds);
    return;
  }
  bool isAsync = false;
  IPopupMenu* chosen = ShowNativePopupMenu(menu, bounds, isAsync);
  if (!isAsync) FinishPopupMenu(chosen);
}

void IGraphics::CreateTextEntry(IControl& control, const IText& text, const IRECT& bounds,
                                const char* str, int valIdx) {
  mInTextEntry = &control;
  mTextEntryValIdx = valIdx;
  const int paramIdx = control.BoundParam(valIdx);
  if (mTextEntryControl)
    mTextEntryControl->CreateTextEntry(paramIdx, text, bounds, control.GetTextEntryLength(),
                                       str ? str : "");
  else
    ShowNativeTextEntry(paramIdx, text, bounds, control.GetTextEntryLength(), str ? str : "");
}

void IGraphics::FinishPopupMenu(IPopupMenu* menu) {
  IControl* target = mInPopupMenu;
  if (!target) return;
  const int valIdx = mPopupMenuValIdx;
  mInPopupMenu = nullptr;
  mPopupMenuValIdx = kNoValIdx;
  if (menu && menu->GetChosenItemIdx() == -1) menu = nullptr;
  target->OnMenuChoice(menu, valIdx);
  for (int v = 0; v < target->ValueCount(); ++v)
    if (target->BoundParam(v) != kNoParameter)
      mDelegate->EndParamEditFromEditor(target->BoundParam(v));
}

void IGraphics::FinishTextEntry(const char* str) {
  IControl* target = mInTextEntry;
  if (!target) return;
  const int valIdx = mTextEntryValIdx;
  mInTextEntry = nullptr;
  mTextEntryValIdx = kNoValIdx;
  if (!str) str = "";
  if (valIdx == kNoValIdx || target->BoundParam(valIdx) == kNoParameter) {
    target->OnTextEntered(str, valIdx);
    return;
  }
  if (const IParam* p = target->BoundParamObject(valIdx))
    target->SetValueFromUser(p->NormalizedFromValue(p->ParseDisplay(str)), valIdx);
}

void IGraphics::ShowHostParamMenu(IControl& control, int paramIdx, float x, float y) {
  mPromptPopupMenu.Clear();
  control.BuildContextMenu(mPromptPopupMenu);
  mDelegate->ShowHostContextMenu(control, paramIdx, mPromptPopupMenu, x * mDrawScale,
                                 y * mDrawScale);
}

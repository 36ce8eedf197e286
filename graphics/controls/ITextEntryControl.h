#pragma once

#include "IControl.h"

#include <string>
#include <vector>

// The editing state is stb_textedit's, on UTF-16 code units.
#define STB_TEXTEDIT_CHARTYPE char16_t
#define STB_TEXTEDIT_POSITIONTYPE int
#define STB_TEXTEDIT_UNDOSTATECOUNT 99
#define STB_TEXTEDIT_UNDOCHARCOUNT 999
#include <stb/stb_textedit.h>

class IPopupMenu;

// The in-editor single-line text field that takes every typed value. It is hidden (empty
// rectangle) until the graphics context opens it over a control; it then edits a copy of
// that control's display text and hands the result back through FinishTextEntry.
class ITextEntryControl : public IControl {
public:
  // The caret shows for the first half of each cycle.
  static constexpr double kCaretCycleMs = 1000.;

  ITextEntryControl();
  ~ITextEntryControl() override;

  void CreateTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                       const char* str);
  bool EditInProgress() const { return mEditing; }
  void CommitEdit();
  void CancelEdit();

  void CopySelection();
  void CutSelection();
  void PasteClipboard();

  void Draw(IGraphics& g) override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  bool OnKeyDown(float x, float y, const IKeyPress& key) override;

  // What is being edited, as the user sees it.
  std::string GetTextUTF8() const;
  int GetCursor() const { return mEditState.cursor; }
  int GetSelectionStart() const { return mEditState.select_start; }
  int GetSelectionEnd() const { return mEditState.select_end; }
  bool SelectionIsEmpty() const { return mEditState.select_start == mEditState.select_end; }
  bool CaretIsVisible() const { return mCaretVisible; }
  // The Cut/Copy/Paste menu every text entry of the process shows.
  static IPopupMenu& SharedEditMenu();

  // The engine's view of this control (text, row layout, widths); see the .cpp.
  struct Engine;

private:
  // Character filter of the edited parameter's type.
  bool AcceptsKey(const IKeyPress& key, char32_t character) const;
  void InsertCharacter(char32_t character);
  void SelectAll();
  void OnTextChanged();
  void MeasureCharacterWidths();
  // Row layout relative to the control: left x, top and the row's width.
  void RowLayout(float& left, float& top, float& width) const;
  float WidthOfRange(int from, int to) const;
  void EndEdit();
  static void CaretAction(IControl* control);
  static void CaretAnimation(IControl* control);

  bool mCaretVisible = false;
  bool mEditing = false;
  STB_TexteditState mEditState{};
  std::vector<float> mCharWidths;
  std::u16string mEditString;
};

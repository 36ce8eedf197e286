#include "ITextEntryControl.h"

#include "IGraphics.h"
#include "IKeyPress.h"
#include "IParam.h"
#include "IPopupMenu.h"
#include "UnicodeText.h"

#include <algorithm>
#include <chrono>
#include <cmath>

// Keys of the editing engine beyond the characters it inserts.
enum : int {
  kEngineKeyBase = 0x20000000,
  kEngineShift = 0x40000000,
  kEngineLeft = kEngineKeyBase + 1,
  kEngineRight,
  kEngineUp,
  kEngineDown,
  kEngineLineStart,
  kEngineLineEnd,
  kEngineTextStart,
  kEngineTextEnd,
  kEngineDelete,
  kEngineBackspace,
  kEngineUndo,
  kEngineRedo,
  kEngineWordLeft,
  kEngineWordRight,
  // Never sent: the field has one line, so page keys do nothing.
  kEnginePageUp,
  kEnginePageDown,
};

struct ITextEntryControl::Engine {
  static int Length(const ITextEntryControl* c) { return static_cast<int>(c->mEditString.size()); }

  static char16_t CharAt(const ITextEntryControl* c, int i) {
    return i >= 0 && i < Length(c) ? c->mEditString[static_cast<size_t>(i)] : u'\0';
  }

  static float Width(const ITextEntryControl* c, int rowStart, int i) {
    const int k = rowStart + i;
    return k >= 0 && k < static_cast<int>(c->mCharWidths.size())
               ? c->mCharWidths[static_cast<size_t>(k)]
               : 0.f;
  }

  static void Layout(StbTexteditRow* row, const ITextEntryControl* c, int start) {
    float left = 0.f, top = 0.f, width = 0.f;
    c->RowLayout(left, top, width);
    row->x0 = left;
    row->x1 = left + width;
    row->baseline_y_delta = 1.25f;
    row->ymin = top;
    row->ymax = top + c->mText.mSize;
    row->num_chars = Length(c) - start;
  }

  static void Delete(ITextEntryControl* c, int at, int count) {
    if (at < 0 || count <= 0 || at >= Length(c)) return;
    c->mEditString.erase(static_cast<size_t>(at), static_cast<size_t>(count));
    c->OnTextChanged();
  }

  static int Insert(ITextEntryControl* c, int at, const char16_t* text, int count) {
    if (at < 0 || at > Length(c) || count < 0) return 0;
    // Room first, then the characters: the editor's text comes from its undo buffer or the
    // keyboard, never from the string itself. (Inserting the pointer range directly trips a
    // false -Wrestrict report inside GCC 12's library.)
    c->mEditString.insert(static_cast<size_t>(at), static_cast<size_t>(count), u'\0');
    std::copy(text, text + count, c->mEditString.begin() + at);
    c->OnTextChanged();
    return 1;
  }

  static bool IsSpace(char16_t ch) { return ch == u' ' || ch == u'\t'; }
};

#define STB_TEXTEDIT_STRING ITextEntryControl
#define STB_TEXTEDIT_STRINGLEN(obj) ITextEntryControl::Engine::Length(obj)
#define STB_TEXTEDIT_LAYOUTROW(r, obj, n) ITextEntryControl::Engine::Layout(r, obj, n)
#define STB_TEXTEDIT_GETWIDTH(obj, n, i) ITextEntryControl::Engine::Width(obj, n, i)
#define STB_TEXTEDIT_KEYTOTEXT(k) ((k) < kEngineKeyBase ? (k) : -1)
#define STB_TEXTEDIT_GETCHAR(obj, i) ITextEntryControl::Engine::CharAt(obj, i)
#define STB_TEXTEDIT_NEWLINE u'\n'
#define STB_TEXTEDIT_IS_SPACE(ch) ITextEntryControl::Engine::IsSpace(ch)
#define STB_TEXTEDIT_DELETECHARS(obj, i, n) ITextEntryControl::Engine::Delete(obj, i, n)
#define STB_TEXTEDIT_INSERTCHARS(obj, i, c, n) ITextEntryControl::Engine::Insert(obj, i, c, n)
#define STB_TEXTEDIT_K_SHIFT kEngineShift
#define STB_TEXTEDIT_K_LEFT kEngineLeft
#define STB_TEXTEDIT_K_RIGHT kEngineRight
#define STB_TEXTEDIT_K_UP kEngineUp
#define STB_TEXTEDIT_K_DOWN kEngineDown
#define STB_TEXTEDIT_K_LINESTART kEngineLineStart
#define STB_TEXTEDIT_K_LINEEND kEngineLineEnd
#define STB_TEXTEDIT_K_TEXTSTART kEngineTextStart
#define STB_TEXTEDIT_K_TEXTEND kEngineTextEnd
#define STB_TEXTEDIT_K_DELETE kEngineDelete
#define STB_TEXTEDIT_K_BACKSPACE kEngineBackspace
#define STB_TEXTEDIT_K_UNDO kEngineUndo
#define STB_TEXTEDIT_K_REDO kEngineRedo
#define STB_TEXTEDIT_K_WORDLEFT kEngineWordLeft
#define STB_TEXTEDIT_K_WORDRIGHT kEngineWordRight
#define STB_TEXTEDIT_K_PGUP kEnginePageUp
#define STB_TEXTEDIT_K_PGDOWN kEnginePageDown
#define STB_TEXTEDIT_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb/stb_textedit.h>
#pragma GCC diagnostic pop

namespace {

// Virtual keys the field reacts to.
enum {
  kVKBack = 8,
  kVKTab = 9,
  kVKReturn = 13,
  kVKEscape = 27,
  kVKSpace = 32,
  kVKPrior = 33,
  kVKNext = 34,
  kVKEnd = 35,
  kVKHome = 36,
  kVKLeft = 37,
  kVKUp = 38,
  kVKRight = 39,
  kVKDown = 40,
  kVKDelete = 46,
  kVKNumpad0 = 0x60,
  kVKNumpad9 = 0x69,
};

double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// The shared edit menu remembers which field showed it; the user-interface thread is the only
// one that shows or answers menus.
ITextEntryControl* sEditMenuTarget = nullptr;

struct EditingState {
  int cursor;
  int selectStart;
  int selectEnd;
  std::u16string text;

  bool Differs(const STB_TexteditState& state, const std::u16string& now) const {
    return cursor != state.cursor || selectStart != state.select_start ||
           selectEnd != state.select_end || text != now;
  }
};

} // namespace

ITextEntryControl::ITextEntryControl() : IControl(IRECT(), kNoParameter, CaretAction) {
  stb_textedit_initialize_state(&mEditState, 1);
  SetAnimationEndAction([](IControl* c) {
    if (static_cast<ITextEntryControl*>(c)->mEditing) c->MarkDirty(true);
  });
}

ITextEntryControl::~ITextEntryControl() {
  if (sEditMenuTarget == this) sEditMenuTarget = nullptr;
}

IPopupMenu& ITextEntryControl::SharedEditMenu() {
  static IPopupMenu menu = [] {
    IPopupMenu m;
    m.AddItem("Cut");
    m.AddItem("Copy");
    m.AddItem("Paste");
    m.SetFunction([](IPopupMenu* chosen) {
      ITextEntryControl* target = sEditMenuTarget;
      if (!target || !chosen) return;
      switch (chosen->GetChosenItemIdx()) {
      case 0:
        target->CutSelection();
        break;
      case 1:
        target->CopySelection();
        break;
      case 2:
        target->PasteClipboard();
        break;
      default:
        break;
      }
    });
    return m;
  }();
  return menu;
}

void ITextEntryControl::CreateTextEntry(int, const IText& text, const IRECT& bounds, int,
                                        const char* str) {
  SetArea(bounds);
  ClearMouseOver();
  OnResize();
  mText = text;
  mText.mFGColor = text.mTextEntryFGColor;
  mEditString = UnicodeText::Utf8ToUtf16(str ? str : "");
  stb_textedit_initialize_state(&mEditState, 1);
  mEditState.select_start = 0;
  mEditState.select_end = static_cast<int>(mEditString.size());
  mEditState.cursor = 0;
  MeasureCharacterWidths();
  mEditing = true;
  if (mGraphics) mGraphics->SetTextEntryFocus(true);
  MarkDirty(true);
}

std::string ITextEntryControl::GetTextUTF8() const {
  return UnicodeText::Utf16ToUtf8(mEditString);
}

void ITextEntryControl::OnTextChanged() {
  MeasureCharacterWidths();
}

void ITextEntryControl::MeasureCharacterWidths() {
  const size_t n = mEditString.size();
  mCharWidths.assign(n, 0.f);
  if (!mGraphics) return;
  auto measure = [&](const std::string& s) {
    IRECT bounds = mRECT;
    return mGraphics->MeasureTextBounds(mText, s.c_str(), bounds);
  };
  std::string previous;
  float previousWidth = 0.f;
  for (size_t i = 0; i < n; ++i) {
    char32_t cp = mEditString[i];
    const bool pair = cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && mEditString[i + 1] >= 0xDC00 &&
                      mEditString[i + 1] <= 0xDFFF;
    if (pair) cp = 0x10000 + ((cp - 0xD800) << 10) + (mEditString[i + 1] - 0xDC00);
    std::string current;
    UnicodeText::AppendUtf8(current, cp);
    mCharWidths[i] =
        previous.empty() ? measure(current) : measure(previous + current) - previousWidth;
    previous = current;
    previousWidth = measure(previous);
    if (pair) ++i;
  }
}

void ITextEntryControl::RowLayout(float& left, float& top, float& width) const {
  width = 0.f;
  for (float w : mCharWidths)
    width += w;
  switch (mText.mAlign) {
  case kAlignNear:
    left = mRECT.L;
    break;
  case kAlignCenter:
    left = mRECT.L + (mRECT.W() - width) / 2.f;
    break;
  default:
    left = mRECT.R - width;
    break;
  }
  switch (mText.mVAlign) {
  case kVAlignTop:
    top = 0.f;
    break;
  case kVAlignMiddle:
    top = (mRECT.H() - mText.mSize) / 2.f;
    break;
  default:
    top = mRECT.H() - mText.mSize;
    break;
  }
}

float ITextEntryControl::WidthOfRange(int from, int to) const {
  float w = 0.f;
  for (int i = std::max(from, 0); i < to && i < static_cast<int>(mCharWidths.size()); ++i)
    w += mCharWidths[static_cast<size_t>(i)];
  return w;
}

void ITextEntryControl::Draw(IGraphics& g) {
  g.FillRect(mText.mTextEntryBGColor, mRECT);
  float left = 0.f, top = 0.f, width = 0.f;
  RowLayout(left, top, width);
  const float inset = 0.1f * mText.mSize;
  const float yTop = mRECT.T + top + inset;
  const float yBottom = mRECT.T + top + mText.mSize - inset;
  const int selStart = std::min(mEditState.select_start, mEditState.select_end);
  const int selEnd = std::max(mEditState.select_start, mEditState.select_end);
  if (selStart != selEnd) {
    const float x0 = left + WidthOfRange(0, selStart);
    const IBlendMode selectionBlend(0, 0.2f);
    g.FillRect(mText.mTextEntryFGColor,
               IRECT(x0, yTop, x0 + WidthOfRange(selStart, selEnd), yBottom), &selectionBlend);
  }
  g.DrawText(mText, GetTextUTF8().c_str(), mRECT);
  if (mCaretVisible && selStart == selEnd) {
    const float x = left + WidthOfRange(0, mEditState.cursor);
    g.FillRect(mText.mTextEntryFGColor, IRECT(std::round(x - 1.f), yTop, std::round(x), yBottom));
  }
}

void ITextEntryControl::OnMouseDown(float x, float y, const IMouseMod& mod) {
  if (!mRECT.Contains(x, y)) {
    CommitEdit();
    return;
  }
  if (mod.R) {
    if (!mGraphics) return;
    sEditMenuTarget = this;
    mGraphics->CreatePopupMenu(*this, SharedEditMenu(), IRECT(x, y, x, y));
    return;
  }
  if (!mod.L) return;
  const int cursor = mEditState.cursor;
  const int start = mEditState.select_start;
  const int end = mEditState.select_end;
  stb_textedit_click(this, &mEditState, x, 0.f);
  if (cursor != mEditState.cursor || start != mEditState.select_start ||
      end != mEditState.select_end)
    MarkDirty(false);
}

void ITextEntryControl::OnMouseDrag(float x, float, float, float, const IMouseMod& mod) {
  if (!mod.L) return;
  const int cursor = mEditState.cursor;
  const int start = mEditState.select_start;
  const int end = mEditState.select_end;
  stb_textedit_drag(this, &mEditState, x, 0.f);
  if (cursor != mEditState.cursor || start != mEditState.select_start ||
      end != mEditState.select_end)
    MarkDirty(false);
}

void ITextEntryControl::OnMouseUp(float x, float, const IMouseMod& mod) {
  if (!mEditing) return;
  if (mod.L) stb_textedit_drag(this, &mEditState, x, 0.f);
  MarkDirty(true);
}

void ITextEntryControl::OnMouseDblClick(float, float, const IMouseMod&) {
  if (!mEditing) return;
  SelectAll();
  MarkDirty(false);
}

void ITextEntryControl::SelectAll() {
  mEditState.select_start = 0;
  mEditState.select_end = static_cast<int>(mEditString.size());
  mEditState.cursor = mEditState.select_end;
}

bool ITextEntryControl::AcceptsKey(const IKeyPress& key, char32_t character) const {
  const IControl* target = mGraphics ? mGraphics->GetControlInTextEntry() : nullptr;
  const IParam* p = target ? target->BoundParamObject() : nullptr;
  if (!p) return true;
  const bool digit =
      (key.VK >= '0' && key.VK <= '9' && !key.S) || (key.VK >= kVKNumpad0 && key.VK <= kVKNumpad9);
  const bool sign = character == U'+' || character == U'-';
  switch (p->Type()) {
  case IParam::kTypeBool:
  case IParam::kTypeInt:
  case IParam::kTypeEnum:
    return digit || sign;
  case IParam::kTypeDouble:
    return digit || sign || character == U'.';
  default:
    return true;
  }
}

void ITextEntryControl::InsertCharacter(char32_t character) {
  if (character < 0x10000) {
    stb_textedit_key(this, &mEditState, static_cast<int>(character));
    return;
  }
  std::u16string units;
  UnicodeText::AppendUtf16(units, character);
  stb_textedit_paste(this, &mEditState, units.data(), static_cast<int>(units.size()));
}

bool ITextEntryControl::OnKeyDown(float, float, const IKeyPress& key) {
  if (!mEditing) return false;
  const EditingState before{mEditState.cursor, mEditState.select_start, mEditState.select_end,
                            mEditString};
  const int shift = key.S ? kEngineShift : 0;
  if (key.C) {
    switch (key.VK) {
    case 'A':
      SelectAll();
      break;
    case 'C':
      CopySelection();
      break;
    case 'X':
      CutSelection();
      break;
    case 'V':
      PasteClipboard();
      break;
    case 'Z':
      stb_textedit_key(this, &mEditState, key.S ? kEngineRedo : kEngineUndo);
      break;
    case kVKLeft:
      stb_textedit_key(this, &mEditState, kEngineWordLeft | shift);
      break;
    case kVKRight:
      stb_textedit_key(this, &mEditState, kEngineWordRight | shift);
      break;
    case kVKHome:
      stb_textedit_key(this, &mEditState, kEngineTextStart | shift);
      break;
    case kVKEnd:
      stb_textedit_key(this, &mEditState, kEngineTextEnd | shift);
      break;
    default:
      return false;
    }
  } else {
    switch (key.VK) {
    case kVKTab:
      return false;
    case kVKReturn:
      CommitEdit();
      return true;
    case kVKEscape:
      CancelEdit();
      return true;
    case kVKPrior:
    case kVKNext:
      return false;
    case kVKBack:
      stb_textedit_key(this, &mEditState, kEngineBackspace);
      break;
    case kVKDelete:
      stb_textedit_key(this, &mEditState, kEngineDelete);
      break;
    case kVKLeft:
      stb_textedit_key(this, &mEditState, kEngineLeft | shift);
      break;
    case kVKRight:
      stb_textedit_key(this, &mEditState, kEngineRight | shift);
      break;
    case kVKUp:
      stb_textedit_key(this, &mEditState, kEngineUp | shift);
      break;
    case kVKDown:
      stb_textedit_key(this, &mEditState, kEngineDown | shift);
      break;
    case kVKHome:
      stb_textedit_key(this, &mEditState, kEngineLineStart | shift);
      break;
    case kVKEnd:
      stb_textedit_key(this, &mEditState, kEngineLineEnd | shift);
      break;
    case kVKSpace:
      InsertCharacter(U' ');
      break;
    default: {
      const char32_t character = UnicodeText::KeyCodePoint(key.utf8);
      if (character < 0x20 || character == 0x7F || !AcceptsKey(key, character)) return false;
      InsertCharacter(character);
      break;
    }
    }
  }
  const bool changed = before.Differs(mEditState, mEditString);
  if (changed) MarkDirty(false);
  return changed;
}

void ITextEntryControl::CopySelection() {
  const int from = std::min(mEditState.select_start, mEditState.select_end);
  const int to = std::max(mEditState.select_start, mEditState.select_end);
  if (!mGraphics || from == to) return;
  const int n = static_cast<int>(mEditString.size());
  const std::u16string selected =
      mEditString.substr(static_cast<size_t>(std::clamp(from, 0, n)),
                         static_cast<size_t>(std::clamp(to, 0, n) - std::clamp(from, 0, n)));
  mGraphics->WriteClipboardText(UnicodeText::Utf16ToUtf8(selected).c_str());
}

void ITextEntryControl::CutSelection() {
  CopySelection();
  stb_textedit_cut(this, &mEditState);
  MarkDirty(false);
}

void ITextEntryControl::PasteClipboard() {
  std::string text;
  if (!mGraphics || !mGraphics->ReadClipboardText(text) || text.empty()) return;
  const std::u16string units = UnicodeText::Utf8ToUtf16(text);
  stb_textedit_paste(this, &mEditState, units.data(), static_cast<int>(units.size()));
  MarkDirty(false);
}

void ITextEntryControl::CommitEdit() {
  if (!mEditing) return;
  mEditing = false;
  const std::string text = GetTextUTF8();
  if (mGraphics) mGraphics->FinishTextEntry(text.c_str());
  EndEdit();
}

void ITextEntryControl::CancelEdit() {
  if (!mEditing) return;
  mEditing = false;
  if (mGraphics) mGraphics->ClearInTextEntryControl();
  EndEdit();
}

void ITextEntryControl::EndEdit() {
  mCaretVisible = false;
  mAnimationFunc = nullptr;
  ClearMouseOver();
  SetArea(IRECT());
  OnResize();
  if (!mGraphics) return;
  mGraphics->SetTextEntryFocus(false);
  mGraphics->MarkAllDirty();
}

void ITextEntryControl::CaretAction(IControl* control) {
  auto* entry = static_cast<ITextEntryControl*>(control);
  entry->mCaretVisible = true;
  entry->SetAnimation(CaretAnimation, kCaretCycleMs);
}

void ITextEntryControl::CaretAnimation(IControl* control) {
  auto* entry = static_cast<ITextEntryControl*>(control);
  const double duration = control->GetAnimationDuration();
  const double progress =
      duration > 0. ? (NowMs() - control->GetAnimationStartTime()) / duration : 2.;
  if (progress > 0.5 && entry->mCaretVisible) {
    entry->mCaretVisible = false;
    entry->MarkDirty(false);
  }
  if (progress > 1.) entry->OnAnimationEnd();
}

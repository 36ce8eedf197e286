#include <gtest/gtest.h>

#include "IKeyPress.h"
#include "ITextEntryControl.h"
#include "TestGraphics.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

// Every character is 10 units wide; the clipboard and keyboard focus are recorded.
class TypingGraphics : public TestGraphics {
public:
  using TestGraphics::TestGraphics;
  float MeasureTextBounds(const IText&, const char* str, IRECT&) override {
    return 10.f * static_cast<float>(std::strlen(str));
  }
  bool ReadClipboardText(std::string& text) override {
    text = clipboard;
    return !text.empty();
  }
  bool WriteClipboardText(const char* text) override {
    clipboard = text;
    return true;
  }
  void SetTextEntryFocus(bool focus) override { focusChanges.push_back(focus); }
  void ClearPath() override { pathL = 1e9f, pathR = -1e9f; }
  void MoveTo(float x, float) override { Extend(x); }
  void LineTo(float x, float) override { Extend(x); }
  void FillPath(const IFillPattern& pattern, const IFillStyle& style,
                const IBlendMode* blend) override {
    fillWidths.push_back(pathR - pathL);
    TestGraphics::FillPath(pattern, style, blend);
  }

  void Extend(float x) {
    pathL = std::min(pathL, x);
    pathR = std::max(pathR, x);
  }

  std::string clipboard;
  std::vector<bool> focusChanges;
  std::vector<float> fillWidths;
  float pathL = 0.f, pathR = 0.f;
};

const IRECT kField(10.f, 10.f, 110.f, 40.f);

struct TypingEditor {
  TestDelegate dlg;
  TypingGraphics* g;
  ProbeControl* gain;
  ProbeControl* steps;

  TypingEditor() : g(new TypingGraphics(dlg)) {
    dlg.Attach(g);
    // The mode parameter stays an Enum (a type is set once) with a range of 0..50 steps.
    dlg.GetParam(TestDelegate::kMode)->DefineInt("Steps", 2, 0, 50);
    gain = static_cast<ProbeControl*>(g->AddControl(new ProbeControl(kField, TestDelegate::kGain)));
    steps = static_cast<ProbeControl*>(
        g->AddControl(new ProbeControl(IRECT(10.f, 50.f, 110.f, 80.f), TestDelegate::kMode)));
    g->AddTextEntryControl();
  }
  ITextEntryControl& Entry() { return *g->GetTextEntryControl(); }
  // Enum parameters prompt with a menu; typing into one is opened directly.
  void TypeSteps() { g->CreateTextEntry(*steps, IText(), steps->GetRECT(), "2", 0); }
  bool Key(const char* text, int vk, bool shift = false, bool ctrl = false) {
    return g->OnKeyDown(0.f, 0.f, IKeyPress(text, vk, shift, ctrl));
  }
  void Type(const char* chars) {
    for (const char* c = chars; *c; ++c) {
      const char s[2] = {*c, 0};
      const int vk = *c == '.' ? 0xBE : *c == '-' ? 0xBD : *c;
      Key(s, vk);
    }
  }
};

} // namespace

TEST(TextEntry, OpensHiddenUntilPromptedAndSelectsAllOnOpen) {
  TypingEditor e;
  EXPECT_FALSE(e.Entry().EditInProgress());
  EXPECT_FALSE(e.Entry().GetRECT().Contains(50.f, 20.f));
  EXPECT_FALSE(e.Key("1", '1'));

  e.g->PromptForValue(*e.gain, kField, 0);
  ASSERT_TRUE(e.Entry().EditInProgress());
  EXPECT_EQ(e.Entry().GetTextUTF8(), "50.0");
  EXPECT_EQ(e.Entry().GetSelectionStart(), 0);
  EXPECT_EQ(e.Entry().GetSelectionEnd(), 4);
  EXPECT_EQ(e.Entry().GetCursor(), 0);
  EXPECT_EQ(e.g->focusChanges, std::vector<bool>{true});
  EXPECT_TRUE(e.Key("7", '7'));
  EXPECT_EQ(e.Entry().GetTextUTF8(), "7");
}

TEST(TextEntry, CharacterFiltersFollowTheParameterType) {
  TypingEditor e;
  e.TypeSteps();
  e.Type("1.5");
  EXPECT_EQ(e.Entry().GetTextUTF8(), "15");
  EXPECT_FALSE(e.Key("a", 'A'));
  EXPECT_FALSE(e.Key("!", '1', true));
  EXPECT_TRUE(e.Key("3", 0x63)); // keypad digit
  EXPECT_TRUE(e.Key("-", 0x6D));
  EXPECT_EQ(e.Entry().GetTextUTF8(), "153-");
  e.Key("", 13);

  e.g->PromptForValue(*e.gain, kField, 0);
  e.Type("1.5");
  EXPECT_EQ(e.Entry().GetTextUTF8(), "1.5");
  EXPECT_FALSE(e.Key("x", 'X'));
  // Control never types, Tab and page keys are left to the host.
  EXPECT_FALSE(e.Key("q", 'Q', false, true));
  EXPECT_FALSE(e.Key("", 9));
  EXPECT_FALSE(e.Key("", 33));
  EXPECT_EQ(e.Entry().GetTextUTF8(), "1.5");
}

TEST(TextEntry, UndoAndRedoAndEditingKeys) {
  TypingEditor e;
  e.g->PromptForValue(*e.gain, kField, 0);
  e.Type("12");
  EXPECT_TRUE(e.Key("z", 'Z', false, true));
  EXPECT_EQ(e.Entry().GetTextUTF8(), "1");
  // Typing over the selection is two steps: the deletion and the insertion.
  e.Key("z", 'Z', false, true);
  e.Key("z", 'Z', false, true);
  EXPECT_EQ(e.Entry().GetTextUTF8(), "50.0");
  e.Key("Z", 'Z', true, true);
  e.Key("Z", 'Z', true, true);
  EXPECT_EQ(e.Entry().GetTextUTF8(), "1");

  e.Key("", 36);       // Home
  e.Key("", 39, true); // shift Right selects one character
  EXPECT_EQ(e.Entry().GetSelectionEnd() - e.Entry().GetSelectionStart(), 1);
  e.Key("", 46); // Delete removes the selection
  EXPECT_EQ(e.Entry().GetTextUTF8(), "");
  e.Type("42");
  e.Key("", 37); // Left
  e.Key("", 8);  // Backspace before the cursor
  EXPECT_EQ(e.Entry().GetTextUTF8(), "2");
  e.Key("", 32);
  EXPECT_EQ(e.Entry().GetTextUTF8(), " 2");
  e.Key("a", 'A', false, true);
  EXPECT_EQ(e.Entry().GetSelectionEnd() - e.Entry().GetSelectionStart(), 2);
}

TEST(TextEntry, ReturnAppliesAndEscapeKeepsTheValue) {
  TypingEditor e;
  e.g->PromptForValue(*e.gain, kField, 0);
  e.Type("9");
  e.dlg.events.clear();
  EXPECT_TRUE(e.Key("", 27));
  EXPECT_FALSE(e.Entry().EditInProgress());
  EXPECT_EQ(e.g->GetControlInTextEntry(), nullptr);
  EXPECT_TRUE(e.dlg.events.empty());
  EXPECT_DOUBLE_EQ(e.dlg.GetParam(TestDelegate::kGain)->Value(), 50.);
  EXPECT_EQ(e.Entry().GetRECT().W(), 0.f);

  e.g->PromptForValue(*e.gain, kField, 0);
  e.Type("9");
  EXPECT_TRUE(e.Key("", 13));
  EXPECT_FALSE(e.Entry().EditInProgress());
  EXPECT_EQ(e.g->GetControlInTextEntry(), nullptr);
  EXPECT_DOUBLE_EQ(e.dlg.GetParam(TestDelegate::kGain)->Value(), 9.);
  EXPECT_EQ(e.g->focusChanges, (std::vector<bool>{true, false, true, false}));
}

TEST(TextEntry, MousePlacesTheCursorSelectsAndCommitsOutside) {
  TypingEditor e;
  e.g->PromptForValue(*e.gain, kField, 0);
  // "50.0" is 40 units wide, centred in 10..110: characters start at 40, 50, 60, 70.
  e.g->OnMouseDown(Point(61.f, 20.f));
  e.g->OnMouseUp(Point(61.f, 20.f));
  EXPECT_EQ(e.Entry().GetCursor(), 2);
  EXPECT_TRUE(e.Entry().SelectionIsEmpty());
  e.g->OnMouseDown(Point(66.f, 20.f));
  EXPECT_EQ(e.Entry().GetCursor(), 3);
  e.g->OnMouseDrag(Point(20.f, 20.f, IMouseMod(true), -46.f, 0.f));
  EXPECT_EQ(e.Entry().GetSelectionStart(), 3);
  EXPECT_EQ(e.Entry().GetSelectionEnd(), 0);
  e.g->OnMouseUp(Point(200.f, 20.f));
  EXPECT_EQ(e.Entry().GetCursor(), 4);
  e.g->OnMouseDblClick(50.f, 20.f, IMouseMod(true));
  EXPECT_EQ(e.Entry().GetSelectionEnd() - e.Entry().GetSelectionStart(), 4);

  e.Type("25");
  e.g->OnMouseDown(Point(300.f, 200.f));
  EXPECT_FALSE(e.Entry().EditInProgress());
  EXPECT_DOUBLE_EQ(e.dlg.GetParam(TestDelegate::kGain)->Value(), 25.);
}

TEST(TextEntry, EditMenuAndClipboard) {
  TypingEditor e;
  e.g->PromptForValue(*e.gain, kField, 0);
  e.g->OnMouseDown(Point(50.f, 20.f, IMouseMod(false, true)));
  IPopupMenu& menu = ITextEntryControl::SharedEditMenu();
  ASSERT_EQ(e.g->shownMenu, &menu);
  ASSERT_EQ(menu.NItems(), 3);
  EXPECT_STREQ(menu.GetItemText(0), "Cut");
  EXPECT_STREQ(menu.GetItemText(1), "Copy");
  EXPECT_STREQ(menu.GetItemText(2), "Paste");
  EXPECT_TRUE(e.Entry().EditInProgress());

  menu.SetChosenItemIdx(0);
  menu.ExecFunction();
  EXPECT_EQ(e.g->clipboard, "50.0");
  EXPECT_EQ(e.Entry().GetTextUTF8(), "");
  menu.SetChosenItemIdx(2);
  menu.ExecFunction();
  menu.ExecFunction();
  EXPECT_EQ(e.Entry().GetTextUTF8(), "50.050.0");
  e.Key("a", 'A', false, true);
  e.Key("c", 'C', false, true);
  EXPECT_EQ(e.g->clipboard, "50.050.0");

  // Pasted text passes no filter; an empty clipboard changes nothing.
  e.g->clipboard = "x\xC3\xA9";
  e.Key("v", 'V', false, true);
  EXPECT_EQ(e.Entry().GetTextUTF8(), "x\xC3\xA9");
  e.g->clipboard.clear();
  EXPECT_FALSE(e.Key("v", 'V', false, true));
  EXPECT_EQ(e.Entry().GetTextUTF8(), "x\xC3\xA9");
}

TEST(TextEntry, CaretBlinksOnlyWhileTheSelectionIsEmpty) {
  TypingEditor e;
  e.g->PromptForValue(*e.gain, kField, 0);
  ITextEntryControl& entry = e.Entry();
  ASSERT_TRUE(entry.CaretIsVisible());
  auto fillsOfWidth1 = [&] {
    e.g->fillWidths.clear();
    entry.Draw(*e.g);
    return std::count(e.g->fillWidths.begin(), e.g->fillWidths.end(), 1.f);
  };
  EXPECT_EQ(fillsOfWidth1(), 0); // all selected: no caret
  e.Key("", 35);
  ASSERT_TRUE(entry.SelectionIsEmpty());
  EXPECT_EQ(fillsOfWidth1(), 1);

  IRECTList rects;
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  e.g->IsDirty(rects);
  EXPECT_FALSE(entry.CaretIsVisible());
  EXPECT_EQ(fillsOfWidth1(), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  e.g->IsDirty(rects);
  EXPECT_TRUE(entry.CaretIsVisible());

  e.Key("", 13);
  EXPECT_FALSE(entry.CaretIsVisible());
  EXPECT_FALSE(static_cast<bool>(entry.GetAnimationFunction()));
}

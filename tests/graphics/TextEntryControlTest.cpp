// The in-editor text entry: opened by a value prompt on a real parameter,
// typing filtered for the parameter, completion, dismissal, the clipboard,
// pointer selection, the caret's blink on the fake clock and what it draws.
//
// The recording back end measures every character as half the text size
// wide: 7 points at the default 14.

#include "IGraphics/Controls/ITextEntryControl.h"
#include "IGraphics/KeyCodes.h"
#include "support/FakeClock.h"
#include "support/FakeEditorDelegate.h"
#include "support/ProbeControl.h"
#include "support/RecordingGraphics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace igraphics;
using namespace igraphics::test;
using Kind = HostCall::Kind;

namespace
{

constexpr int kVK_OEM_PLUS = 0xBB;
constexpr int kVK_OEM_COMMA = 0xBC;
constexpr int kVK_OEM_PERIOD = 0xBE;

// A platform whose clipboard is a string.
class ClipboardGraphics : public RecordingGraphics
{
public:
  using RecordingGraphics::RecordingGraphics;
  bool ReadClipboardText(std::string& text) override
  {
    text = clipboard;
    return !clipboard.empty();
  }
  bool WriteClipboardText(const char* text) override
  {
    clipboard = text;
    return true;
  }
  std::string clipboard;
};

IKeyPress Key(const char* text, int vk, bool shift = false, bool ctrl = false)
{
  return IKeyPress(text, vk, shift, ctrl);
}

IKeyPress Digit(char d, bool shift = false)
{
  const char text[2] = {d, 0};
  return Key(text, kVK_0 + (d - '0'), shift);
}

struct TextEntryFixture : ::testing::Test
{
  TextEntryFixture()
  {
    dlg.GetParam(0)->DefineReal("Gain", 2.0, 0.0, 10.0, 0.01);
    dlg.GetParam(1)->DefineInteger("Steps", 3, 0, 100);
    dlg.GetParam(2)->DefineReal("Free", 0.0, -1000.0, 1000.0, 0.01);
    g.SetClock(&clock);
    g.AddTextEntryControl();
    entry = static_cast<ITextEntryControl*>(g.GetTextEntryControl());
    real = Attach(IRect(100, 40, 180, 120), 0);
    integer = Attach(IRect(200, 40, 280, 120), 1);
  }
  ~TextEntryFixture() override { g.SetClock(nullptr); }

  ProbeControl* Attach(const IRect& r, int param)
  {
    auto* c = static_cast<ProbeControl*>(
        g.AttachControl(std::make_unique<ProbeControl>(r, COLOR_RED, param)));
    c->DisablePrompt(false);
    return c;
  }

  // A key through the graphics core, as the platform delivers it.
  bool Press(const IKeyPress& key) { return g.OnKeyDown(0, 0, key); }

  void TypeOver(ProbeControl* c, const char* keys)
  {
    c->RequestValueEntry(0);
    for (const char* k = keys; *k; ++k)
    {
      const char text[2] = {*k, 0};
      const int vk = *k == '.' ? kVK_OEM_PERIOD : *k == ',' ? kVK_OEM_COMMA : kVK_0 + (*k - '0');
      Press(Key(text, vk));
    }
  }

  FakeClock clock;
  FakeEditorDelegate dlg{3};
  ClipboardGraphics g{dlg, 400, 200};
  ITextEntryControl* entry = nullptr;
  ProbeControl* real = nullptr;
  ProbeControl* integer = nullptr;
};

} // namespace

// Opening and completing ----------------------------------------------------------------------

TEST_F(TextEntryFixture, OpeningOverAValueSelectsAllOfItInAFieldCentredOnTheControl)
{
  real->RequestValueEntry(0);
  ASSERT_TRUE(entry->IsEditing());
  EXPECT_EQ(g.GetControlInTextEntry(), real);
  EXPECT_EQ(g.TextEntryCount(), 0); // no platform entry
  const std::string text = entry->GetTextUtf8();
  ASSERT_FALSE(text.empty());
  EXPECT_DOUBLE_EQ(dlg.GetParam(0)->ParseText(text.c_str()), 2.0);
  EXPECT_EQ(entry->GetSelectionStart(), 0);
  EXPECT_EQ(entry->GetSelectionEnd(), static_cast<int>(text.size()));
  // 40 × 16 around the control's centre (140, 80).
  EXPECT_EQ(entry->GetRECT(), IRect(120, 72, 160, 88));
  EXPECT_TRUE(entry->CapturesAllInput());
}

TEST_F(TextEntryFixture, TypingOnePointFiveThenReturnCompletesOnceWithOnePointFive)
{
  TypeOver(real, "1.5");
  EXPECT_EQ(entry->GetTextUtf8(), "1.5");
  EXPECT_TRUE(Press(Key("\r", kVK_RETURN)));
  EXPECT_FALSE(entry->IsEditing());
  EXPECT_EQ(entry->GetRECT(), IRect());
  const auto sent = dlg.CallsOf(Kind::SendParam);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].paramIdx, 0);
  EXPECT_NEAR(sent[0].value, 0.15, 1e-12); // 1.5 of 0..10
  EXPECT_NEAR(dlg.GetParam(0)->Value(), 1.5, 1e-12);
  EXPECT_EQ(g.GetControlInTextEntry(), nullptr);
  // The field is closed: another Return goes nowhere.
  Press(Key("\r", kVK_RETURN));
  EXPECT_EQ(dlg.Count(Kind::SendParam), 1);
}

TEST_F(TextEntryFixture, ACommaIsRefusedForARealParameterAndAPointForAnInteger)
{
  real->RequestValueEntry(0);
  Press(Digit('7'));
  EXPECT_FALSE(Press(Key(",", kVK_OEM_COMMA)));
  EXPECT_EQ(entry->GetTextUtf8(), "7");
  Press(Key("\r", kVK_RETURN));

  integer->RequestValueEntry(0);
  Press(Digit('4'));
  EXPECT_FALSE(Press(Key(".", kVK_OEM_PERIOD)));
  EXPECT_TRUE(Press(Key("-", 0xBD)));
  EXPECT_EQ(entry->GetTextUtf8(), "4-");
  EXPECT_FALSE(Press(Key("a", kVK_A)));
  EXPECT_EQ(entry->GetTextUtf8(), "4-");
}

TEST_F(TextEntryFixture, DigitsAndSignsThatNeedShiftAreAccepted)
{
  // Layouts where digits or "+" need shift: the character decides, not the key.
  real->RequestValueEntry(0);
  EXPECT_TRUE(Press(Digit('8', true)));
  EXPECT_TRUE(Press(Key("+", kVK_OEM_PLUS, true)));
  EXPECT_TRUE(Press(Key("3", 0x63))); // numeric keypad
  EXPECT_EQ(entry->GetTextUtf8(), "8+3");
}

TEST_F(TextEntryFixture, EscapeCompletesNothingAndLeavesTheParameter)
{
  TypeOver(real, "9");
  EXPECT_TRUE(Press(Key("", kVK_ESCAPE)));
  EXPECT_FALSE(entry->IsEditing());
  EXPECT_EQ(dlg.Count(Kind::SendParam), 0);
  EXPECT_DOUBLE_EQ(dlg.GetParam(0)->Value(), 2.0);
  EXPECT_EQ(g.GetControlInTextEntry(), nullptr);
  EXPECT_EQ(real->CountOf("textentry:9"), 0);
}

TEST_F(TextEntryFixture, APressOutsideTheFieldCommits)
{
  TypeOver(real, "3");
  g.OnMouseDown({IMouseEvent{10, 10, 0, 0, IMouseState{true}}});
  EXPECT_FALSE(entry->IsEditing());
  EXPECT_NEAR(dlg.GetParam(0)->Value(), 3.0, 1e-12);
}

TEST_F(TextEntryFixture, ACompletionWhoseTargetControlIsGoneDoesNothing)
{
  TypeOver(real, "4");
  g.RemoveControl(real);
  EXPECT_TRUE(Press(Key("\r", kVK_RETURN)));
  EXPECT_FALSE(entry->IsEditing());
  EXPECT_EQ(dlg.Count(Kind::SendParam), 0);
  EXPECT_DOUBLE_EQ(dlg.GetParam(0)->Value(), 2.0);
}

TEST_F(TextEntryFixture, TheTextEntryLengthOfTheControlLimitsTypingAndPasting)
{
  real->RequestValueEntry(0); // the default length is 7
  for (char d : std::string("123456789"))
    Press(Digit(d));
  EXPECT_EQ(entry->GetTextUtf8(), "1234567");
  EXPECT_FALSE(Press(Digit('8')));

  // A paste keeps what fits in place of the selection.
  Press(Key("", kVK_HOME));
  Press(Key("", kVK_RIGHT, true)); // select "1"
  Press(Key("", kVK_RIGHT, true)); // select "12"
  g.clipboard = "9999";
  Press(Key("v", kVK_V, false, true));
  EXPECT_EQ(entry->GetTextUtf8(), "9934567");
}

TEST_F(TextEntryFixture, KeysWithoutAControlInTextEntryAreNotHandled)
{
  entry->BeginEditing(-1, ITextStyle(), IRect(10, 10, 60, 30), 0, "ab");
  ASSERT_EQ(g.GetControlInTextEntry(), nullptr);
  EXPECT_FALSE(entry->OnKeyDown(0, 0, Key("c", 0x43)));
  // Editing keys still work.
  EXPECT_TRUE(entry->OnKeyDown(0, 0, Key("", kVK_END)));
  EXPECT_FALSE(entry->OnKeyDown(0, 0, Key("\t", kVK_TAB)));
}

TEST_F(TextEntryFixture, AControlWithoutAParameterTakesEveryCharacterAndGetsTheText)
{
  auto* plain = Attach(IRect(300, 40, 380, 120), -1);
  g.OpenTextEntry(plain, plain->GetText(), IRect(300, 40, 380, 60), "", -1);
  Press(Key("x", 0x58));
  Press(Key("\xC3\xA9", 0xDE)); // é
  Press(Key(" ", kVK_SPACE));
  Press(Key("\r", kVK_RETURN));
  EXPECT_EQ(plain->CountOf("textentry:x\xC3\xA9 "), 1);
}

// Editing -------------------------------------------------------------------------------------

TEST_F(TextEntryFixture, CtrlAThenCtrlCPutsTheWholeTextOnTheClipboard)
{
  g.OpenTextEntry(real, real->GetText(), IRect(10, 10, 90, 30), "12.50", 0);
  Press(Key("", kVK_END));
  EXPECT_EQ(entry->GetSelectionStart(), entry->GetSelectionEnd());
  EXPECT_TRUE(Press(Key("a", kVK_A, false, true)));
  EXPECT_TRUE(Press(Key("c", kVK_C, false, true)));
  EXPECT_EQ(g.clipboard, "12.50");
}

TEST_F(TextEntryFixture, CutRemovesTheSelectionAndUndoBringsItBack)
{
  real->RequestValueEntry(0);
  TypeOver(real, "123");
  Press(Key("", kVK_LEFT, true)); // select "3"
  EXPECT_TRUE(Press(Key("x", kVK_X, false, true)));
  EXPECT_EQ(g.clipboard, "3");
  EXPECT_EQ(entry->GetTextUtf8(), "12");
  EXPECT_TRUE(Press(Key("z", kVK_Z, false, true)));
  EXPECT_EQ(entry->GetTextUtf8(), "123");
  Press(Key("z", kVK_Z, true, true)); // redo
  EXPECT_EQ(entry->GetTextUtf8(), "12");
  // Paste with an empty clipboard changes nothing.
  g.clipboard.clear();
  Press(Key("v", kVK_V, false, true));
  EXPECT_EQ(entry->GetTextUtf8(), "12");
}

TEST_F(TextEntryFixture, EditingKeysMoveTheCursorAndDelete)
{
  TypeOver(real, "1234");
  Press(Key("", kVK_HOME));
  EXPECT_EQ(entry->GetCursor(), 0);
  Press(Key("", kVK_DELETE));
  EXPECT_EQ(entry->GetTextUtf8(), "234");
  Press(Key("", kVK_END));
  Press(Key("", kVK_BACK));
  EXPECT_EQ(entry->GetTextUtf8(), "23");
  Press(Key("", kVK_LEFT));
  EXPECT_EQ(entry->GetCursor(), 1);
  // Insert toggles overwriting.
  EXPECT_TRUE(Press(Key("", kVK_INSERT)));
  EXPECT_TRUE(entry->GetInsertMode());
  Press(Digit('9'));
  EXPECT_EQ(entry->GetTextUtf8(), "29");
}

TEST_F(TextEntryFixture, ClicksAndDragsPlaceTheCursorAndSelectByCharacter)
{
  entry->BeginEditing(-1, ITextStyle(), IRect(0, 0, 100, 20), 0, "abcdef");
  // Centred: the 42-point text starts at 50 − 21 = 29; character i spans
  // 29 + 7i .. 29 + 7(i + 1).
  const float x0 = 29.f;
  entry->OnMouseDown(x0 + 7.f * 1 + 1.f, 10, IMouseState{true}); // nearer the left of "b"
  EXPECT_EQ(entry->GetCursor(), 1);
  EXPECT_EQ(entry->GetSelectionStart(), entry->GetSelectionEnd());
  entry->OnMouseDrag(x0 + 7.f * 4 + 5.f, 10, 0, 0, IMouseState{true}); // right half of "e"
  entry->OnMouseUp(x0 + 7.f * 4 + 5.f, 10, IMouseState{true});
  EXPECT_EQ(entry->GetSelectionStart(), 1);
  EXPECT_EQ(entry->GetSelectionEnd(), 5);
  entry->OnMouseDoubleClick(50, 10, IMouseState{true});
  EXPECT_EQ(entry->GetSelectionStart(), 0);
  EXPECT_EQ(entry->GetSelectionEnd(), 6);
}

TEST_F(TextEntryFixture, ARightClickInsideOffersCutCopyPaste)
{
  g.OpenTextEntry(real, real->GetText(), IRect(0, 0, 100, 20), "abc", 0);
  g.ScriptMenuChoice(0); // the platform's menu answers "Cut"
  entry->OnMouseDown(50, 10, IMouseState{false, true});
  EXPECT_EQ(g.MenuCount(), 1);
  EXPECT_EQ(g.clipboard, "abc");
  EXPECT_EQ(entry->GetTextUtf8(), "");
  g.ScriptMenuChoice(2); // "Paste"
  entry->OnMouseDown(50, 10, IMouseState{false, true});
  EXPECT_EQ(entry->GetTextUtf8(), "abc");
  EXPECT_TRUE(entry->IsEditing());
}

// The caret and drawing -----------------------------------------------------------------------

TEST_F(TextEntryFixture, TheCaretShowsForFiveHundredMsThenHidesForFiveHundred)
{
  real->RequestValueEntry(0);
  const double opened = clock.NowMs();
  Press(Key("", kVK_END)); // nothing selected: the caret may show
  auto visibleAt = [&](double ms)
  {
    clock.Set(opened + ms);
    g.Tick();
    return entry->IsCursorVisible();
  };
  for (double ms : {0.0, 1.0, 250.0, 499.0, 500.0})
    EXPECT_TRUE(visibleAt(ms)) << ms;
  for (double ms : {501.0, 750.0, 999.0, 1000.0})
    EXPECT_FALSE(visibleAt(ms)) << ms;
  // The next cycle starts once the second is past.
  EXPECT_TRUE(visibleAt(1001.0));
  EXPECT_TRUE(visibleAt(1500.0));
  EXPECT_FALSE(visibleAt(1502.0));
}

TEST_F(TextEntryFixture, TheSelectionIsDrawnFaintlyOverTheSelectedCharacters)
{
  entry->BeginEditing(-1, ITextStyle(), IRect(0, 0, 100, 20), 0, "abcdef");
  g.ClearOps();
  g.Tick();
  // All six selected: x from 29 to 71; vertically ymin = (20 − 14) / 2 = 3,
  // so from 3 + 1.4 to 17 − 1.4.
  const auto fills = g.FillsOf(COLOR_BLACK);
  ASSERT_EQ(fills.size(), 1u); // no caret while something is selected
  EXPECT_EQ(fills[0].rect, IRect(29.f, 4.4f, 71.f, 15.6f));
  EXPECT_FLOAT_EQ(fills[0].blend.mWeight, 0.2f);
  EXPECT_EQ(g.FillsOf(COLOR_WHITE).at(0).rect, IRect(0, 0, 100, 20)); // the background
  const auto texts = g.OpsOf(DrawOp::Kind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "abcdef");

  // Cursor after "ab": a one-point caret at round(29 + 14 − 1)..round(43).
  entry->OnMouseDown(29.f + 14.f, 10, IMouseState{true});
  g.ClearOps();
  g.Tick();
  const auto caret = g.FillsOf(COLOR_BLACK);
  ASSERT_EQ(caret.size(), 1u);
  EXPECT_EQ(caret[0].rect, IRect(42.f, 4.4f, 43.f, 15.6f));
  EXPECT_FLOAT_EQ(caret[0].blend.mWeight, 1.f);
}

#include "IGraphics/Controls/ITextEntryControl.h"

#include "IGraphics/IGraphics.h"
#include "IGraphics/KeyCodes.h"
#include "IGraphics/TextConversion.h"
#include "IGraphics/TextEntryCharFilter.h"
#include "IPlug/IParam.h"

#include <algorithm>
#include <cmath>

// The engine's key codes: a key without text is kKeyDown plus its virtual key
// code; typed characters are their code; modifiers are added as bits.
namespace
{
constexpr unsigned int kKeyDown = 0x80000000u;
constexpr unsigned int kShiftBit = 0x40000000u;
constexpr unsigned int kControlBit = 0x20000000u;
constexpr unsigned int kAltBit = 0x10000000u;
constexpr unsigned int kModifierBits = kShiftBit | kControlBit | kAltBit;
constexpr float kBaselineStep = 1.25f;
constexpr int kUndoRecords = 99;
constexpr int kUndoChars = 999;

constexpr unsigned int KeyCode(int vk)
{
  return kKeyDown | static_cast<unsigned int>(vk);
}

// The character a code inserts, or -1 for keys that insert nothing. Control
// without alt is a command, never text (control with alt types on some layouts).
int KeyToText(unsigned int key)
{
  if ((key & kKeyDown) != 0) return -1;
  if ((key & kControlBit) != 0 && (key & kAltBit) == 0) return -1;
  const unsigned int c = key & ~kModifierBits;
  // One UTF-16 unit per engine character: beyond the basic plane is refused.
  if (c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) return -1;
  return static_cast<int>(c);
}
} // namespace

#define STB_TEXTEDIT_CHARTYPE char16_t
#define STB_TEXTEDIT_POSITIONTYPE int
#define STB_TEXTEDIT_KEYTYPE unsigned int
#define STB_TEXTEDIT_UNDOSTATECOUNT kUndoRecords
#define STB_TEXTEDIT_UNDOCHARCOUNT kUndoChars
#define STB_TEXTEDIT_STRING igraphics::ITextEntryControl

// The engine's header part only declares its state; the control's header
// keeps it behind a pointer.
#include <stb_textedit.h>

namespace igraphics
{

struct ITextEntryControl::Engine
{
  STB_TexteditState state;
};

// What the engine asks of the text it edits.
struct TextEditCallbacks
{
  static int Length(ITextEntryControl* c) { return static_cast<int>(c->mEditString.size()); }
  static char16_t CharAt(ITextEntryControl* c, int i)
  {
    return c->mEditString[static_cast<std::size_t>(i)];
  }
  static float Width(ITextEntryControl* c, int n, int i) { return c->CharWidth(n + i); }
  static bool Delete(ITextEntryControl* c, int pos, int n) { return c->DeleteChars(pos, n); }
  static bool Insert(ITextEntryControl* c, int pos, const char16_t* chars, int n)
  {
    return c->InsertChars(pos, chars, n);
  }
  static void Layout(StbTexteditRow* row, ITextEntryControl* c, int start)
  {
    float x0, x1, ymin, ymax;
    c->RowExtent(x0, x1, ymin, ymax);
    row->x0 = x0;
    row->x1 = x1;
    row->baseline_y_delta = kBaselineStep;
    row->ymin = ymin;
    row->ymax = ymax;
    row->num_chars = Length(c) - start;
  }
};

} // namespace igraphics

#define STB_TEXTEDIT_STRINGLEN(obj) igraphics::TextEditCallbacks::Length(obj)
#define STB_TEXTEDIT_LAYOUTROW(r, obj, n) igraphics::TextEditCallbacks::Layout(r, obj, n)
#define STB_TEXTEDIT_GETWIDTH(obj, n, i) igraphics::TextEditCallbacks::Width(obj, n, i)
#define STB_TEXTEDIT_KEYTOTEXT(k) KeyToText(k)
#define STB_TEXTEDIT_GETCHAR(obj, i) igraphics::TextEditCallbacks::CharAt(obj, i)
#define STB_TEXTEDIT_NEWLINE u'\n'
#define STB_TEXTEDIT_IS_SPACE(ch) ((ch) == u' ' || (ch) == u'\t')
#define STB_TEXTEDIT_DELETECHARS(obj, i, n) igraphics::TextEditCallbacks::Delete(obj, i, n)
#define STB_TEXTEDIT_INSERTCHARS(obj, i, c, n) igraphics::TextEditCallbacks::Insert(obj, i, c, n)

#define STB_TEXTEDIT_K_SHIFT kShiftBit
#define STB_TEXTEDIT_K_LEFT KeyCode(igraphics::kVK_LEFT)
#define STB_TEXTEDIT_K_RIGHT KeyCode(igraphics::kVK_RIGHT)
#define STB_TEXTEDIT_K_UP KeyCode(igraphics::kVK_UP)
#define STB_TEXTEDIT_K_DOWN KeyCode(igraphics::kVK_DOWN)
#define STB_TEXTEDIT_K_PGUP KeyCode(igraphics::kVK_PRIOR)
#define STB_TEXTEDIT_K_PGDOWN KeyCode(igraphics::kVK_NEXT)
#define STB_TEXTEDIT_K_LINESTART KeyCode(igraphics::kVK_HOME)
#define STB_TEXTEDIT_K_LINEEND KeyCode(igraphics::kVK_END)
#define STB_TEXTEDIT_K_TEXTSTART (STB_TEXTEDIT_K_LINESTART | kControlBit)
#define STB_TEXTEDIT_K_TEXTEND (STB_TEXTEDIT_K_LINEEND | kControlBit)
#define STB_TEXTEDIT_K_DELETE KeyCode(igraphics::kVK_DELETE)
#define STB_TEXTEDIT_K_BACKSPACE KeyCode(igraphics::kVK_BACK)
#define STB_TEXTEDIT_K_UNDO (KeyCode(igraphics::kVK_Z) | kControlBit)
#define STB_TEXTEDIT_K_REDO (KeyCode(igraphics::kVK_Z) | kControlBit | kShiftBit)
#define STB_TEXTEDIT_K_INSERT KeyCode(igraphics::kVK_INSERT)
#define STB_TEXTEDIT_K_WORDLEFT (STB_TEXTEDIT_K_LEFT | kControlBit)
#define STB_TEXTEDIT_K_WORDRIGHT (STB_TEXTEDIT_K_RIGHT | kControlBit)

// The engine is third-party code: its own warnings are not ours to fix.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#endif
#define STB_TEXTEDIT_IMPLEMENTATION
#include <stb_textedit.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace igraphics
{

namespace
{

enum EContextItem : int
{
  kCut = 0,
  kCopy = 1,
  kPaste = 2
};

// A snapshot of everything a key can change, to tell whether it did.
struct EditSnapshot
{
  std::u16string text;
  int cursor, selStart, selEnd;
  unsigned char insertMode;
  short undoPoint, redoPoint;

  bool operator==(const EditSnapshot&) const = default;
};

EditSnapshot Snapshot(const std::u16string& text, const STB_TexteditState& s)
{
  return {text,
          s.cursor,
          s.select_start,
          s.select_end,
          s.insert_mode,
          s.undostate.undo_point,
          s.undostate.redo_point};
}

std::string UnitToUtf8(char16_t unit)
{
  return Utf16ToUtf8(std::u16string(1, unit));
}

} // namespace

ITextEntryControl::ITextEntryControl() : IControl(IRect(), -1), mEngine(std::make_unique<Engine>())
{
  stb_textedit_initialize_state(&mEngine->state, 1);
  SetActionFunction([](IControl* c) { static_cast<ITextEntryControl*>(c)->StartBlink(); });
  mContextMenu.AddItem("Cut");
  mContextMenu.AddItem("Copy");
  mContextMenu.AddItem("Paste");
}

ITextEntryControl::~ITextEntryControl() = default;

// Editing lifecycle ----------------------------------------------------------------------------

void ITextEntryControl::BeginEditing(int paramIdx, const ITextStyle& style, const IRect& area,
                                     int maxLength, const char* text)
{
  (void)paramIdx;
  SetTargetAndDrawRECTs(area);
  SetText(style);
  mText.mFGColor = style.mTextEntryFGColor;
  mMaxLength = std::max(0, maxLength);
  mEditString = Utf8ToUtf16(text != nullptr ? text : "");
  // A fresh engine: cursor at the start, empty undo history.
  stb_textedit_initialize_state(&mEngine->state, 1);
  mEngine->state.select_start = 0;
  mEngine->state.select_end = static_cast<int>(mEditString.size());
  mCharWidths.clear();
  EnsureCharWidths();
  SetDirty(true);
  mEditing = true;
}

void ITextEntryControl::CloseField()
{
  mEditing = false;
  mCursorVisible = false;
  SetAnimation(nullptr);
  SetTargetAndDrawRECTs(IRect());
}

void ITextEntryControl::CommitEdit()
{
  if (!mEditing) return;
  mEditing = false;
  const std::string text = GetTextUtf8();
  // The completion finds the control the entry was opened for; if that
  // control has gone, the graphics core has forgotten it and nothing happens.
  if (mGraphics != nullptr) mGraphics->SetTextEntryDone(text.c_str());
  CloseField();
  if (mGraphics != nullptr) mGraphics->MarkAllControlsDirty();
}

void ITextEntryControl::DismissEdit()
{
  if (!mEditing) return;
  CloseField();
  if (mGraphics != nullptr)
  {
    mGraphics->ClearInTextEntryControl();
    mGraphics->MarkAllControlsDirty();
  }
}

// Text and measurement -------------------------------------------------------------------------

std::string ITextEntryControl::GetTextUtf8() const
{
  return Utf16ToUtf8(mEditString);
}

int ITextEntryControl::GetCursor() const
{
  return mEngine->state.cursor;
}

int ITextEntryControl::GetSelectionStart() const
{
  return std::min(mEngine->state.select_start, mEngine->state.select_end);
}

int ITextEntryControl::GetSelectionEnd() const
{
  return std::max(mEngine->state.select_start, mEngine->state.select_end);
}

bool ITextEntryControl::GetInsertMode() const
{
  return mEngine->state.insert_mode != 0;
}

void ITextEntryControl::EnsureCharWidths()
{
  if (mCharWidths.size() == mEditString.size()) return;
  mCharWidths.assign(mEditString.size(), 0.f);
  if (mGraphics == nullptr) return;
  auto measure = [this](const std::string& text)
  {
    IRect bounds;
    return mGraphics->MeasureText(mText, text.c_str(), bounds);
  };
  // Each width is that of the pair with its predecessor minus the
  // predecessor alone, so kerning between them counts.
  for (std::size_t i = 0; i < mEditString.size(); ++i)
  {
    const std::string current = UnitToUtf8(mEditString[i]);
    if (i == 0)
      mCharWidths[i] = measure(current);
    else
    {
      const std::string previous = UnitToUtf8(mEditString[i - 1]);
      mCharWidths[i] = measure(previous + current) - measure(previous);
    }
  }
}

float ITextEntryControl::CharWidth(int idx)
{
  EnsureCharWidths();
  if (idx < 0 || idx >= static_cast<int>(mCharWidths.size())) return 0.f;
  return mCharWidths[static_cast<std::size_t>(idx)];
}

float ITextEntryControl::WidthBefore(int idx)
{
  EnsureCharWidths();
  idx = std::clamp(idx, 0, static_cast<int>(mCharWidths.size()));
  float w = 0.f;
  for (int i = 0; i < idx; ++i)
    w += mCharWidths[static_cast<std::size_t>(i)];
  return w;
}

void ITextEntryControl::RowExtent(float& x0, float& x1, float& ymin, float& ymax)
{
  const float w = WidthBefore(static_cast<int>(mEditString.size()));
  const IRect& b = mRECT;
  switch (mText.mAlign)
  {
  case EAlign::Near:
    x0 = b.L;
    break;
  case EAlign::Center:
    x0 = b.MW() - 0.5f * w;
    break;
  default:
    x0 = b.R - w;
    break;
  }
  x1 = x0 + w;
  switch (mText.mVAlign)
  {
  case EVAlign::Top:
    ymin = 0.f;
    break;
  case EVAlign::Middle:
    ymin = 0.5f * (b.H() - mText.mSize);
    break;
  default:
    ymin = b.H() - mText.mSize;
    break;
  }
  ymax = ymin + mText.mSize;
}

void ITextEntryControl::TextChanged()
{
  // Through UTF-8 and back: a half of a surrogate pair left alone becomes
  // U+FFFD, one unit for one unit, so the engine's positions stay valid.
  mEditString = Utf8ToUtf16(Utf16ToUtf8(mEditString));
  mCharWidths.clear();
}

bool ITextEntryControl::DeleteChars(int pos, int n)
{
  const int len = static_cast<int>(mEditString.size());
  if (pos < 0 || n < 0 || pos + n > len) return false;
  mEditString.erase(static_cast<std::size_t>(pos), static_cast<std::size_t>(n));
  TextChanged();
  return true;
}

bool ITextEntryControl::InsertChars(int pos, const char16_t* chars, int n)
{
  const int len = static_cast<int>(mEditString.size());
  if (pos < 0 || pos > len || n < 0) return false;
  if (mMaxLength > 0 && len + n > mMaxLength) return false; // the field is full
  mEditString.insert(static_cast<std::size_t>(pos), chars, static_cast<std::size_t>(n));
  TextChanged();
  return true;
}

// Keys -----------------------------------------------------------------------------------------

bool ITextEntryControl::SendKey(unsigned int key)
{
  const EditSnapshot before = Snapshot(mEditString, mEngine->state);
  stb_textedit_key(this, &mEngine->state, key);
  if (Snapshot(mEditString, mEngine->state) == before) return false;
  SetDirty(false);
  return true;
}

bool ITextEntryControl::CharacterAllowed(char32_t c, bool& haveTarget) const
{
  IControl* target = mGraphics != nullptr ? mGraphics->GetControlInTextEntry() : nullptr;
  haveTarget = target != nullptr;
  if (target == nullptr || c == 0) return false;
  return TextEntryCharFilter::Accepts(target->GetParam(0), c);
}

bool ITextEntryControl::OnKeyDown(float x, float y, const IKeyPress& key)
{
  (void)x;
  (void)y;
  if (key.C)
  {
    switch (key.VK)
    {
    case kVK_A:
      SelectAll();
      return true;
    case kVK_C:
      CopySelection();
      return true;
    case kVK_V:
      Paste();
      return true;
    case kVK_X:
      CutSelection();
      return true;
    case kVK_Z:
      SendKey(key.S ? STB_TEXTEDIT_K_REDO : STB_TEXTEDIT_K_UNDO);
      return true;
    default:
      break;
    }
  }

  const char32_t c = FirstCodePoint(key.utf8);
  unsigned int code = 0;
  switch (key.VK)
  {
  case kVK_BACK:
    code = KeyCode(kVK_BACK);
    break;
  case kVK_RETURN:
    CommitEdit();
    return true;
  case kVK_ESCAPE:
    DismissEdit();
    return true;
  case kVK_SPACE:
    code = U' ';
    break;
  case kVK_PRIOR:
  case kVK_NEXT:
  case kVK_END:
  case kVK_HOME:
  case kVK_LEFT:
  case kVK_UP:
  case kVK_RIGHT:
  case kVK_DOWN:
  case kVK_DELETE:
    code = KeyCode(key.VK);
    break;
  case kVK_TAB:
    return false;
  default:
  {
    bool haveTarget = false;
    const bool allowed = CharacterAllowed(c, haveTarget);
    if (!haveTarget) return false;
    code = allowed ? static_cast<unsigned int>(c) : KeyCode(key.VK);
    break;
  }
  }
  if (key.S) code |= kShiftBit;
  if (key.C) code |= kControlBit;
  if (key.A) code |= kAltBit;
  return SendKey(code);
}

// Clipboard ------------------------------------------------------------------------------------

void ITextEntryControl::SelectAll()
{
  mEngine->state.select_start = 0;
  mEngine->state.select_end = static_cast<int>(mEditString.size());
  mEngine->state.cursor = mEngine->state.select_end;
  SetDirty(false);
}

void ITextEntryControl::CopySelection()
{
  const int start = GetSelectionStart();
  const int end = GetSelectionEnd();
  if (start == end || mGraphics == nullptr) return;
  const std::u16string selected =
      mEditString.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
  mGraphics->WriteClipboardText(Utf16ToUtf8(selected).c_str());
}

void ITextEntryControl::CutSelection()
{
  CopySelection();
  stb_textedit_cut(this, &mEngine->state);
  SetDirty(false);
}

void ITextEntryControl::Paste()
{
  std::string text;
  if (mGraphics == nullptr || !mGraphics->ReadClipboardText(text) || text.empty()) return;
  std::u16string pasted = Utf8ToUtf16(text);
  if (mMaxLength > 0)
  {
    // What remains after the selection is replaced decides how much fits.
    const int kept =
        static_cast<int>(mEditString.size()) - (GetSelectionEnd() - GetSelectionStart());
    const int room = std::max(0, mMaxLength - kept);
    if (room == 0) return;
    if (static_cast<int>(pasted.size()) > room) pasted.resize(static_cast<std::size_t>(room));
  }
  stb_textedit_paste(this, &mEngine->state, pasted.data(), static_cast<int>(pasted.size()));
  SetDirty(false);
}

// Pointer --------------------------------------------------------------------------------------

void ITextEntryControl::OnMouseDown(float x, float y, const IMouseState& mod)
{
  if (!mRECT.Contains(x, y))
  {
    CommitEdit();
    return;
  }
  float x0, x1, ymin, ymax;
  RowExtent(x0, x1, ymin, ymax);
  if (mod.L)
  {
    stb_textedit_click(this, &mEngine->state, x, ymin);
    SetDirty(true);
  }
  else if (mod.R && mGraphics != nullptr)
  {
    mContextMenu.SetChosenItemIdx(-1);
    mGraphics->OpenPopupMenu(this, mContextMenu, IRect(x, y, x, y), -1, true);
  }
}

void ITextEntryControl::OnContextMenuChoice(int itemIdx)
{
  switch (itemIdx)
  {
  case kCut:
    CutSelection();
    break;
  case kCopy:
    CopySelection();
    break;
  case kPaste:
    Paste();
    break;
  default:
    break;
  }
}

void ITextEntryControl::OnMouseDrag(float x, float y, float dX, float dY, const IMouseState& mod)
{
  (void)y;
  (void)dX;
  (void)dY;
  if (!mod.L) return;
  float x0, x1, ymin, ymax;
  RowExtent(x0, x1, ymin, ymax);
  stb_textedit_drag(this, &mEngine->state, x, ymin);
  SetDirty(false);
}

void ITextEntryControl::OnMouseUp(float x, float y, const IMouseState& mod)
{
  if (!mod.L) return;
  OnMouseDrag(x, y, 0.f, 0.f, mod);
  SetDirty(true);
}

void ITextEntryControl::OnMouseDoubleClick(float x, float y, const IMouseState& mod)
{
  (void)x;
  (void)y;
  (void)mod;
  SelectAll();
}

// Drawing and blinking -------------------------------------------------------------------------

void ITextEntryControl::Draw(IGraphics& g)
{
  g.FillRect(mText.mTextEntryBGColor, mRECT);
  float x0, x1, ymin, ymax;
  RowExtent(x0, x1, ymin, ymax);
  const float top = mRECT.T + ymin + 0.1f * mText.mSize;
  const float bottom = mRECT.T + ymax - 0.1f * mText.mSize;
  const int start = GetSelectionStart();
  const int end = GetSelectionEnd();
  if (start != end)
  {
    const IBlendSpec faint(EBlend::Default, 0.2f);
    g.FillRect(mText.mTextEntryFGColor,
               IRect(x0 + WidthBefore(start), top, x0 + WidthBefore(end), bottom), &faint);
  }
  g.DrawTextIn(mText, GetTextUtf8().c_str(), mRECT);
  if (mCursorVisible && start == end)
  {
    const float xc = x0 + WidthBefore(mEngine->state.cursor);
    g.FillRect(mText.mTextEntryFGColor, IRect(std::round(xc - 1.f), top, std::round(xc), bottom));
  }
}

void ITextEntryControl::StartBlink()
{
  mCursorVisible = true;
  SetAnimation(
      [](IControl* c)
      {
        auto* self = static_cast<ITextEntryControl*>(c);
        const double p = self->GetAnimationFraction();
        if (p > 1.0)
        {
          self->OnAnimationEnd();
          return;
        }
        if (p > 0.5 && self->mCursorVisible)
        {
          self->mCursorVisible = false;
          self->SetDirty(false);
        }
      },
      1000.0);
}

void ITextEntryControl::OnAnimationEnd()
{
  IControl::OnAnimationEnd();
  if (mEditing) SetDirty(true); // the next blink cycle
}

} // namespace igraphics

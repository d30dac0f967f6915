// The native text entry of IGraphicsWin: an EDIT control over the prompting control, filtered
// by the edited parameter's kind. Keys, focus changes and clicks only set TextEntryState; the
// next display tick (IGraphicsWin.cpp) commits or cancels, outside the control's own calls.

#include "IGraphics/Platforms/FixedUtf16Text.h"
#include "IGraphics/Platforms/IGraphicsWin.h"
#include "IGraphics/Platforms/WinFontCaches.h"
#include "IGraphics/TextEntryCharFilter.h"
#include "IPlug/IGEditorDelegate.h"

namespace igraphics
{

namespace
{

// The initial text's field: a longer text starts the entry empty.
constexpr std::size_t kInitialTextUnits = 32;
constexpr int kTextEntryControlId = 99;

DWORD EditStyle(EAlign align)
{
  DWORD style =
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | ES_MULTILINE | ES_AUTOHSCROLL;
  switch (align)
  {
  case EAlign::Near:
    return style | ES_LEFT;
  case EAlign::Far:
    return style | ES_RIGHT;
  default:
    return style | ES_CENTER;
  }
}

} // namespace

void IGraphicsWin::OpenNativeTextEntry(int paramIdx, const ITextStyle& style, const IRect& bounds,
                                       int maxLength, const char* initialText)
{
  if (mTextEntryWnd)
  {
    // The core has already named the new control as the one in text entry; the open entry
    // still edits the first, so its answer goes there (or nowhere, once it was removed).
    const bool targetListed = GetControlIdx(mTextEntryTarget) >= 0;
    mInTextEntry = targetListed ? mTextEntryTarget : nullptr;
    mTextEntryValIdx = targetListed ? mTextEntryTargetValIdx : -1;
    return;
  }
  if (!mWnd)
  {
    ClearInTextEntryControl(); // no entry can open, so none will answer
    return;
  }
  const float s = PixelScale();
  const int x = static_cast<int>(bounds.L * s);
  const int y = static_cast<int>(bounds.T * s);
  const float width = (bounds.R - bounds.L) * s + 1.f;
  const float height = (bounds.B - bounds.T) * s + 1.f;
  const FixedUtf16Text<kInitialTextUnits> text(initialText);
  mTextEntryWnd =
      CreateWindowExW(0, L"EDIT", text.Wide(), EditStyle(style.mAlign), x, y,
                      static_cast<int>(width), static_cast<int>(height), mWnd,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextEntryControlId)),
                      static_cast<HINSTANCE>(LibraryInstance()), nullptr);
  if (!mTextEntryWnd)
  {
    // No entry will ever answer: the core must not wait for one.
    ClearInTextEntryControl();
    return;
  }
  mTextEntryTarget = mInTextEntry;
  mTextEntryTargetValIdx = mTextEntryValIdx;
  mTextEntryFont = MakeTextEntryFont(style, s);

  const iplug::IGEditorDelegate& delegate = *GetDelegate();
  mTextEntryParamIdx = paramIdx >= 0 && paramIdx < delegate.NParams() ? paramIdx : -1;
  mTextEntryStyle = style;
  mTextEntryBounds = bounds;

  SendMessageW(mTextEntryWnd, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  if (mTextEntryFont)
    SendMessageW(mTextEntryWnd, WM_SETFONT, reinterpret_cast<WPARAM>(mTextEntryFont), 0);
  SendMessageW(mTextEntryWnd, EM_SETSEL, 0, -1);
  if (style.mVAlign == EVAlign::Middle)
  {
    // Centre one line of the style's size in the control's height.
    RECT format{0, static_cast<LONG>((height - s * style.mSize) / 2.f),
                static_cast<LONG>(width) + 1, static_cast<LONG>(height) + 1};
    SendMessageW(mTextEntryWnd, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
  }
  SetFocus(mTextEntryWnd);
  mTextEntryPrevProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(mTextEntryWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextEntryProc)));
  SetWindowLongPtrW(mTextEntryWnd, GWLP_USERDATA, kTextEntryMarker);
}

HFONT IGraphicsWin::MakeTextEntryFont(const ITextStyle& style, float scale)
{
  std::lock_guard lock(WinFontCaches::TextEntryFontLock());
  if (!WinFontCaches::TextEntryFonts().Find(style.mFont, 1.0))
  {
    // The font LoadFont registered under this id, when the caller kept none for text entry.
    if (PlatformFont* loaded = mPlatformFonts.Find(style.mFont, 1.0))
      KeepTextEntryFontLocked(style.mFont, *loaded);
  }
  const WinFontCaches::GdiFont* cached = WinFontCaches::TextEntryFonts().Find(style.mFont, 1.0);
  if (!cached) return nullptr;
  LOGFONTW description{};
  if (!GetObjectW(cached->Handle(), sizeof description, &description)) return nullptr;
  description.lfHeight = static_cast<LONG>(scale * style.mSize);
  return CreateFontIndirectW(&description);
}

void IGraphicsWin::CancelNativeTextEntry()
{
  if (mTextEntryWnd) mTextEntryState = TextEntryState::Cancel;
}

LRESULT CALLBACK IGraphicsWin::TextEntryProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  auto* self = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrW(GetParent(wnd), GWLP_USERDATA));
  if (!self || wnd != self->mTextEntryWnd) return DefWindowProcW(wnd, msg, wParam, lParam);
  return self->HandleTextEntryMessage(wnd, msg, wParam, lParam);
}

LRESULT IGraphicsWin::HandleTextEntryMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  const WNDPROC previous = mTextEntryPrevProc;
  HideTooltip();
  switch (msg)
  {
  case WM_SETFOCUS:
    mTextEntryState = TextEntryState::Focused;
    break;
  case WM_KILLFOCUS:
    mTextEntryState = TextEntryState::Commit;
    break;
  case WM_GETDLGCODE:
  {
    LRESULT code = CallWindowProcW(previous, wnd, msg, wParam, lParam);
    const auto* queried = reinterpret_cast<const MSG*>(lParam);
    if (queried && queried->message == WM_KEYDOWN && queried->wParam == VK_RETURN)
      code |= DLGC_WANTALLKEYS;
    return code;
  }
  case WM_KEYDOWN:
    if (wParam == VK_RETURN)
    {
      mTextEntryState = TextEntryState::Commit;
      return 0;
    }
    if (wParam == VK_ESCAPE)
    {
      mTextEntryState = TextEntryState::Cancel;
      return 0;
    }
    break;
  case WM_CHAR:
    if (mTextEntryParamIdx >= 0 && wParam != VK_BACK &&
        !TextEntryCharFilter::Accepts(GetDelegate()->GetParam(mTextEntryParamIdx),
                                      static_cast<char32_t>(wParam)))
      return 0;
    break;
  case WM_COMMAND:
    if (HIWORD(wParam) == 1)
    {
      mTextEntryState = TextEntryState::Commit;
      return 0;
    }
    break;
  default:
    break;
  }
  return CallWindowProcW(previous, wnd, msg, wParam, lParam);
}

} // namespace igraphics

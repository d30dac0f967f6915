// The platform services of IGraphicsWin on a real editor window inside a top-level window of
// ours, as a host makes it: a real EDIT control, the system clipboard and cursor, and the
// product's font from the module's resources.

#include "IGraphics/Platforms/IGraphicsWin.h"
#include "IGraphics/Platforms/WinFont.h"
#include "support/FakeEditorDelegate.h"
#include "support/ProbeControl.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace igraphics
{
namespace
{

using test::FakeEditorDelegate;
using test::HostCall;
using test::ProbeControl;

constexpr int kOutput = 0;       // a real parameter, in dB
constexpr int kOversampling = 1; // an integer parameter

LRESULT CALLBACK HostWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

// A top-level window as a host makes for an editor.
class HostWindow
{
public:
  HostWindow()
  {
    static const ATOM atom = []
    {
      WNDCLASSW wc{};
      wc.lpfnWndProc = &HostWindowProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"BrasmireServicesTestHost";
      return RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    mWnd =
        CreateWindowExW(0, L"BrasmireServicesTestHost", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        0, 0, 800, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~HostWindow() { DestroyWindow(mWnd); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND Get() const { return mWnd; }

private:
  HWND mWnd = nullptr;
};

// Runs the message loop for `ms`: the editor's display ticks carry out text-entry states.
void Pump(int ms)
{
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  while (GetTickCount64() < end)
  {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(1);
  }
}

void Type(HWND edit, const wchar_t* text)
{
  for (; *text; ++text)
    PostMessageW(edit, WM_CHAR, static_cast<WPARAM>(*text), 1);
}

void PressKey(HWND edit, WPARAM key)
{
  PostMessageW(edit, WM_KEYDOWN, key, 1);
}

std::wstring EditText(HWND edit)
{
  wchar_t text[64]{};
  GetWindowTextW(edit, text, 64);
  return text;
}

class WinServices : public ::testing::Test
{
protected:
  WinServices() : mDelegate(2), mGraphics(mDelegate, 300, 100, 60, 1.f)
  {
    mDelegate.GetParam(kOutput)->DefineGain("Output", 0.0, -24.0, 24.0);
    mDelegate.GetParam(kOversampling)->DefineInteger("Oversampling", 0, 0, 100);
    mGraphics.SetLibraryInstance(GetModuleHandleW(nullptr));
    EXPECT_NE(mGraphics.CreateEditorWindow(mHost.Get()), nullptr);
    mOutputControl = mGraphics.AttachControl(
        std::make_unique<ProbeControl>(IRect(10.f, 10.f, 90.f, 40.f), COLOR_RED, kOutput));
    mOversamplingControl = mGraphics.AttachControl(std::make_unique<ProbeControl>(
        IRect(110.f, 10.f, 190.f, 40.f), COLOR_GREEN, kOversampling));
  }
  ~WinServices() override { mGraphics.DestroyEditorWindow(); }

  // Opens the native entry as a value prompt does.
  HWND OpenEntry(IControl* control)
  {
    mGraphics.OpenTextEntry(control, ITextStyle(), control->GetRECT(), "", 0);
    return mGraphics.TextEntryWindow();
  }

  HostWindow mHost;
  FakeEditorDelegate mDelegate;
  IGraphicsWin mGraphics;
  IControl* mOutputControl = nullptr;
  IControl* mOversamplingControl = nullptr;
};

TEST_F(WinServices, ReturnCommitsTypedTextToTheFirstTargetAtTheNextTick)
{
  HWND edit = OpenEntry(mOutputControl);
  ASSERT_NE(edit, nullptr);
  // A second prompt while the first is open changes nothing: no new window, same target.
  EXPECT_EQ(OpenEntry(mOversamplingControl), edit);
  EXPECT_EQ(mGraphics.GetControlInTextEntry(), mOutputControl);

  Type(edit, L"-1.5");
  Pump(50);
  EXPECT_EQ(EditText(edit), L"-1.5"); // the Output entry filters as a real parameter
  PressKey(edit, VK_RETURN);
  Pump(100);

  EXPECT_EQ(mGraphics.TextEntryWindow(), nullptr);
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(mGraphics.GetControlInTextEntry(), nullptr);
  EXPECT_NEAR(mDelegate.GetParam(kOutput)->Value(), -1.5, 1e-9);
  EXPECT_EQ(mDelegate.GetParam(kOversampling)->Value(), 0.0);
  const auto sent = mDelegate.CallsOf(HostCall::Kind::SendParam);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].paramIdx, kOutput);
  EXPECT_NEAR(sent[0].value, (24.0 - 1.5) / 48.0, 1e-9);
}

TEST_F(WinServices, IntegerEntryRefusesThePointAndEscapeCancels)
{
  HWND edit = OpenEntry(mOversamplingControl);
  ASSERT_NE(edit, nullptr);
  Type(edit, L"1.5x\x16");
  Pump(50);
  EXPECT_EQ(EditText(edit), L"15");
  PressKey(edit, VK_ESCAPE);
  Pump(100);

  EXPECT_EQ(mGraphics.TextEntryWindow(), nullptr);
  EXPECT_EQ(mGraphics.GetControlInTextEntry(), nullptr);
  EXPECT_EQ(mDelegate.GetParam(kOversampling)->Value(), 0.0);
  EXPECT_EQ(mDelegate.Count(HostCall::Kind::SendParam), 0);
}

TEST_F(WinServices, ClipboardRoundTripsUnicodeText)
{
  ASSERT_TRUE(mGraphics.WriteClipboardText("h\xC3\xA9llo"));
  std::string text = "stale";
  ASSERT_TRUE(mGraphics.ReadClipboardText(text));
  EXPECT_EQ(text, "h\xC3\xA9llo");

  // Seen by other programs as the same UTF-16 text.
  ASSERT_TRUE(OpenClipboard(nullptr));
  const auto* units = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
  ASSERT_NE(units, nullptr);
  EXPECT_EQ(std::wstring(units), L"h\u00e9llo");
  GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
  CloseClipboard();

  EXPECT_FALSE(mGraphics.WriteClipboardText(""));
  EXPECT_FALSE(mGraphics.ReadClipboardText(text));
  EXPECT_EQ(text, "");
}

TEST_F(WinServices, ProductFontLoadsFromTheModuleResourcesAtFaceZero)
{
  HMODULE module = LoadLibraryW(BRASMIRE_MODULE_PATH);
  ASSERT_NE(module, nullptr);
  mGraphics.SetLibraryInstance(module);
  std::unique_ptr<PlatformFont> font =
      mGraphics.MakePlatformFont("Roboto-Regular", "Roboto-Regular.ttf");
  ASSERT_NE(font, nullptr);
  const auto& winFont = static_cast<const IGraphicsWin::Font&>(*font);
  EXPECT_FALSE(winFont.IsSystem());
  EXPECT_EQ(winFont.Style(), "");

  const FontDataRecord record = font->FontData();
  EXPECT_EQ(record.faceIndex, 0);
  // GDI hands back the very file the module carries.
  std::ifstream file(BRASMIRE_FONT_FILE, std::ios::binary);
  ASSERT_TRUE(file.good());
  const std::vector<std::uint8_t> expected((std::istreambuf_iterator<char>(file)),
                                           std::istreambuf_iterator<char>());
  EXPECT_EQ(record.bytes.size(), expected.size());
  EXPECT_TRUE(record.bytes == expected);

  font.reset();
  mGraphics.SetLibraryInstance(GetModuleHandleW(nullptr));
  FreeLibrary(module);
}

TEST_F(WinServices, UnknownCursorShapeShowsTheArrow)
{
  mGraphics.SetCursorShape(CursorShape::HAND);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(mGraphics.SetCursorShape(static_cast<CursorShape>(42)), CursorShape::HAND);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

// The system's cursor display counter, read without changing it.
int CursorDisplayCount()
{
  const int shown = ShowCursor(TRUE);
  ShowCursor(FALSE);
  return shown - 1;
}

TEST_F(WinServices, HidingTheCursorTwiceHidesItOnce)
{
  const int before = CursorDisplayCount();
  mGraphics.SetCursorHidden(true, false);
  mGraphics.SetCursorHidden(true, false);
  EXPECT_TRUE(mGraphics.CursorIsHidden());
  EXPECT_EQ(CursorDisplayCount(), before - 1);
  mGraphics.SetCursorHidden(false);
  mGraphics.SetCursorHidden(false);
  EXPECT_FALSE(mGraphics.CursorIsHidden());
  EXPECT_EQ(CursorDisplayCount(), before);
}

} // namespace
} // namespace igraphics

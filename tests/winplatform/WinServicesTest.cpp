// The platform services of IGraphicsWin on a real editor window inside a top-level window of
// ours, as a host makes it: a real EDIT control, the system clipboard and cursor, and the
// product's font from the module's resources.

#include "IGraphics/Platforms/IGraphicsWin.h"
#include "IGraphics/Platforms/WinFont.h"
#include "IGraphics/Platforms/WinFontCaches.h"
#include "support/FakeEditorDelegate.h"
#include "support/ProbeControl.h"

#include <gtest/gtest.h>

#include <cstdio>
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

std::vector<std::uint8_t> ReadFile(const char* path)
{
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// One editor for the whole suite: making a window with its GL context is what costs time under
// Wine. Each test starts from default values and an empty call record.
class WinServices : public ::testing::Test
{
protected:
  struct Editor
  {
    Editor() : graphics(delegate, 300, 100, 60, 1.f)
    {
      delegate.GetParam(kOutput)->DefineGain("Output", 0.0, -24.0, 24.0);
      delegate.GetParam(kOversampling)->DefineInteger("Oversampling", 0, 0, 100);
      graphics.SetLibraryInstance(GetModuleHandleW(nullptr));
      opened = graphics.CreateEditorWindow(host.Get()) != nullptr;
      // The text entry's font, kept under the default style's font id.
      if (std::unique_ptr<PlatformFont> font = graphics.MakePlatformFont("", "Roboto", 0))
        graphics.KeepTextEntryFont(ITextStyle().mFont, *font);
      output = graphics.AttachControl(
          std::make_unique<ProbeControl>(IRect(10.f, 10.f, 90.f, 40.f), COLOR_RED, kOutput));
      oversampling = graphics.AttachControl(std::make_unique<ProbeControl>(
          IRect(110.f, 10.f, 190.f, 40.f), COLOR_GREEN, kOversampling));
    }
    ~Editor() { graphics.DestroyEditorWindow(); }

    HostWindow host;
    FakeEditorDelegate delegate{2};
    IGraphicsWin graphics;
    bool opened = false;
    IControl* output = nullptr;
    IControl* oversampling = nullptr;
  };

  static void SetUpTestSuite() { sEditor = new Editor; }
  static void TearDownTestSuite()
  {
    delete sEditor;
    sEditor = nullptr;
  }

  void SetUp() override
  {
    ASSERT_TRUE(sEditor->opened);
    for (int i = 0; i < mDelegate.NParams(); ++i)
      mDelegate.GetParam(i)->SetToDefault();
    mDelegate.ClearCalls();
  }

  // Opens the native entry as a value prompt does.
  HWND OpenEntry(IControl* control)
  {
    mGraphics.OpenTextEntry(control, ITextStyle(), control->GetRECT(), "", 0);
    return mGraphics.TextEntryWindow();
  }

  static inline Editor* sEditor = nullptr;
  FakeEditorDelegate& mDelegate = sEditor->delegate;
  IGraphicsWin& mGraphics = sEditor->graphics;
  IControl* mOutputControl = sEditor->output;
  IControl* mOversamplingControl = sEditor->oversampling;
};

TEST_F(WinServices, ReturnCommitsTypedTextToTheFirstTargetAtTheNextTick)
{
  HWND edit = OpenEntry(mOutputControl);
  ASSERT_NE(edit, nullptr);
  // A second prompt while the first is open changes nothing: no new window, same target.
  EXPECT_EQ(OpenEntry(mOversamplingControl), edit);
  EXPECT_EQ(mGraphics.GetControlInTextEntry(), mOutputControl);

  // The kept font at the style's size in pixels (14 at scale 1).
  LOGFONTW font{};
  ASSERT_NE(
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof font, &font),
      0);
  EXPECT_EQ(font.lfHeight, 14);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Roboto");

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
  EXPECT_EQ(GetClipboardOwner(), static_cast<HWND>(mGraphics.EditorWindowHandle()));
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
  const std::vector<std::uint8_t> expected = ReadFile(BRASMIRE_FONT_FILE);
  EXPECT_EQ(record.bytes.size(), expected.size());
  EXPECT_TRUE(record.bytes == expected);
  // The file's one face is named "Regular".
  EXPECT_EQ(IGraphicsWin::Font::FaceIndexOfStyle(expected, "Regular"), 0);
  EXPECT_EQ(IGraphicsWin::Font::FaceIndexOfStyle(expected, "Bold"), -1);
  EXPECT_EQ(IGraphicsWin::Font::FaceIndexOfStyle(std::vector<std::uint8_t>(64, 0), ""), -1);

  // Loaded for the editor, the font also serves a native text entry of that font id, at the
  // style's size: 20 points at scale 1 are 20 pixels.
  ASSERT_TRUE(mGraphics.LoadFont("ProductFont", "Roboto-Regular.ttf"));
  ITextStyle style;
  std::snprintf(style.mFont, sizeof style.mFont, "ProductFont");
  style.mSize = 20.f;
  mGraphics.OpenTextEntry(mOutputControl, style, mOutputControl->GetRECT(), "", 0);
  HWND edit = mGraphics.TextEntryWindow();
  ASSERT_NE(edit, nullptr);
  LOGFONTW editFont{};
  ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)),
                       sizeof editFont, &editFont),
            0);
  EXPECT_EQ(editFont.lfHeight, 20);
  EXPECT_EQ(std::wstring(editFont.lfFaceName), L"Roboto");
  mGraphics.CancelNativeTextEntry();
  Pump(100);
  EXPECT_EQ(mGraphics.TextEntryWindow(), nullptr);

  font.reset();
  mGraphics.SetLibraryInstance(GetModuleHandleW(nullptr));
  FreeLibrary(module);
}

TEST_F(WinServices, InstalledFamiliesLoadAndUnknownOnesDoNot)
{
  // The machine's Roboto family (fonts-roboto-unhinted, which Wine sees) is installed.
  std::unique_ptr<PlatformFont> installed = mGraphics.MakePlatformFont("ui", "Roboto", 1);
  ASSERT_NE(installed, nullptr);
  const auto& font = static_cast<const IGraphicsWin::Font&>(*installed);
  EXPECT_TRUE(font.IsSystem());
  EXPECT_EQ(font.Style(), "Bold");
  LOGFONTW description{};
  ASSERT_NE(
      GetObjectW(static_cast<HFONT>(font.NativeFontHandle()), sizeof description, &description), 0);
  EXPECT_EQ(description.lfWeight, FW_BOLD);
  EXPECT_EQ(std::wstring(description.lfFaceName), L"Roboto");
  // A plain font file of one face, whose style name is the one asked for.
  const FontDataRecord record = font.FontData();
  EXPECT_GT(record.bytes.size(), 1000u);
  EXPECT_EQ(record.faceIndex, 0);

  EXPECT_EQ(mGraphics.MakePlatformFont("none", "No Such Family Brasmire", 0), nullptr);
  EXPECT_EQ(mGraphics.MakePlatformFont("none", "", 0), nullptr);
}

// Keys for the menu's own modal loop, sent once it runs: a timer fires inside that loop.
std::vector<WPARAM> gMenuKeys;

void CALLBACK SendMenuKeys(HWND, UINT, UINT_PTR timer, DWORD)
{
  KillTimer(nullptr, timer);
  HWND menuWindow = FindWindowW(L"#32768", nullptr);
  for (const WPARAM key : gMenuKeys)
    PostMessageW(menuWindow, WM_KEYDOWN, key, 1);
}

TEST_F(WinServices, MenuChoiceInASubmenuReachesThatSubmenu)
{
  IPopupMenu menu;
  menu.AddItem("One");
  auto submenu = std::make_unique<IPopupMenu>();
  submenu->AddItem("Two A");
  submenu->AddItem("Two B");
  IPopupMenu* sub = submenu.get();
  menu.AddItem("Two", std::move(submenu));
  menu.AddItem("Three");
  IPopupMenu* completed = nullptr;
  sub->SetCompletionFunction([&](IPopupMenu* m) { completed = m; });

  // Down to "One", down to "Two", right into its submenu ("Two A"), down to "Two B", choose.
  gMenuKeys = {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN};
  SetTimer(nullptr, 0, 200, SendMenuKeys);
  IPopupMenu* chosen = mGraphics.ShowNativePopupMenu(menu, IRect(10.f, 10.f, 90.f, 40.f));

  EXPECT_EQ(chosen, sub);
  EXPECT_EQ(completed, sub);
  EXPECT_EQ(sub->GetChosenItemIdx(), 1);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);

  // Escape closes it without a choice.
  gMenuKeys = {VK_ESCAPE};
  SetTimer(nullptr, 0, 200, SendMenuKeys);
  EXPECT_EQ(mGraphics.ShowNativePopupMenu(menu, IRect(10.f, 10.f, 90.f, 40.f)), nullptr);
}

// What the message box showed, read from inside its modal loop before answering OK.
struct SeenMessageBox
{
  bool found = false;
  std::wstring text;
  HWND owner = nullptr;
} gSeenBox;

void CALLBACK ReadAndCloseMessageBox(HWND, UINT, UINT_PTR timer, DWORD)
{
  KillTimer(nullptr, timer);
  HWND box = FindWindowW(nullptr, L"Caf\u00e9");
  gSeenBox.found = box != nullptr;
  if (!box) return;
  wchar_t text[64]{};
  GetDlgItemTextW(box, 0xFFFF, text, 64); // the box's static text
  gSeenBox.text = text;
  gSeenBox.owner = GetWindow(box, GW_OWNER);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(WinServices, MessageBoxShowsUtf8TextOwnedByTheHostWindow)
{
  gSeenBox = {};
  int completed = -1;
  SetTimer(nullptr, 0, 200, ReadAndCloseMessageBox);
  const int result = mGraphics.ShowModalMessage("h\xC3\xA9llo", "Caf\xC3\xA9", MB_OK,
                                                [&](int answer) { completed = answer; });
  ASSERT_TRUE(gSeenBox.found);
  EXPECT_EQ(gSeenBox.text, L"h\u00e9llo");
  EXPECT_EQ(gSeenBox.owner, sEditor->host.Get());
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(completed, IDOK);
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

// Runs after the suite above has closed its editor: no editor of the process is alive.
TEST(WinFontCaches, MemoryFontsLiveUntilTheLastEditorGoes)
{
  const std::vector<std::uint8_t> roboto = ReadFile(BRASMIRE_FONT_FILE);
  ASSERT_FALSE(roboto.empty());
  test::FakeEditorDelegate delegate(0);
  auto first = std::make_unique<IGraphicsWin>(delegate, 100, 100);
  EXPECT_EQ(WinFontCaches::MemoryFonts().Users(), 1);
  EXPECT_NE(first->MakePlatformFont("cached", roboto.data(), static_cast<int>(roboto.size())),
            nullptr);
  EXPECT_EQ(WinFontCaches::MemoryFonts().Size(), 1);
  // The same id again keeps one registration.
  EXPECT_NE(first->MakePlatformFont("cached", roboto.data(), static_cast<int>(roboto.size())),
            nullptr);
  EXPECT_EQ(WinFontCaches::MemoryFonts().Size(), 1);

  auto second = std::make_unique<IGraphicsWin>(delegate, 100, 100);
  EXPECT_EQ(WinFontCaches::MemoryFonts().Users(), 2);
  first.reset();
  EXPECT_EQ(WinFontCaches::MemoryFonts().Size(), 1);
  second.reset();
  EXPECT_EQ(WinFontCaches::MemoryFonts().Users(), 0);
  EXPECT_EQ(WinFontCaches::MemoryFonts().Size(), 0);
  EXPECT_EQ(WinFontCaches::TextEntryFonts().Size(), 0);
}

TEST(WinFontCaches, BytesThatAreNoFontGiveNone)
{
  test::FakeEditorDelegate delegate(0);
  IGraphicsWin graphics(delegate, 100, 100);
  const std::vector<std::uint8_t> junk(4096, 0x5A);
  EXPECT_EQ(graphics.MakePlatformFont("junk", junk.data(), static_cast<int>(junk.size())), nullptr);
  EXPECT_EQ(WinFontCaches::MemoryFonts().Size(), 0);
}

} // namespace
} // namespace igraphics

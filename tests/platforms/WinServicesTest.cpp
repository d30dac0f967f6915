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
#include <functional>
#include <iterator>
#include <memory>
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

// A top-level window as a host makes for an editor, without a frame: under Xvfb there is no
// window manager, and Wine waits for one whenever a framed window goes away.
class HostWindow
{
public:
  HostWindow()
  {
    static const ATOM atom = []
    {
      WNDCLASSW wc{};
      wc.lpfnWndProc = &DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"BrasmireServicesTestHost";
      return RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    mWnd = CreateWindowExW(0, L"BrasmireServicesTestHost", L"Host", WS_POPUP | WS_VISIBLE, 0, 0,
                           800, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
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

// Runs `action` from inside the next modal loop (a menu's, a dialog's): a thread timer fires
// there. The action answers true once it found what it waits for; until then it is retried,
// for at most about 5 s.
std::function<bool()> gModalAction;
int gModalTries = 0;

void CALLBACK RunModalAction(HWND, UINT, UINT_PTR timer, DWORD)
{
  if (gModalAction())
    KillTimer(nullptr, timer);
  else if (++gModalTries > 50)
  {
    // Never hang the run: our open dialogs and menu are dismissed and the test's checks fail.
    KillTimer(nullptr, timer);
    for (HWND wnd = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); wnd;
         wnd = FindWindowExW(nullptr, wnd, L"#32770", nullptr))
      if (GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId())
        PostMessageW(wnd, WM_COMMAND, IDCANCEL, 0);
    EndMenu();
  }
}

void WhenModal(std::function<bool()> action)
{
  gModalAction = std::move(action);
  gModalTries = 0;
  SetTimer(nullptr, 0, 100, RunModalAction);
}

// The open dialog box owned by `owner`, or null. Windows gives a dialog of a child window
// to that window's top-level ancestor.
HWND OpenDialogOwnedBy(HWND owner)
{
  const HWND root = GetAncestor(owner, GA_ROOT);
  for (HWND wnd = FindWindowW(L"#32770", nullptr); wnd;
       wnd = FindWindowExW(nullptr, wnd, L"#32770", nullptr))
    if (GetWindow(wnd, GW_OWNER) == root) return wnd;
  return nullptr;
}

// Answers the message box captioned `caption` with `button`, remembering its text.
std::function<bool()> AnswerBox(const wchar_t* caption, WPARAM button, std::wstring& text)
{
  return [caption, button, &text]
  {
    HWND box = FindWindowW(nullptr, caption);
    if (!box) return false;
    wchar_t shown[128]{};
    GetDlgItemTextW(box, 0xFFFF, shown, 128);
    text = shown;
    PostMessageW(box, WM_COMMAND, button, 0);
    return true;
  };
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

  static void SetUpTestSuite() { sEditor = std::make_unique<Editor>(); }
  static void TearDownTestSuite() { sEditor.reset(); }

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

  static inline std::unique_ptr<Editor> sEditor;
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

// Posts keys to the open menu; false while none is open.
bool PressMenuKeys(std::vector<WPARAM> keys)
{
  HWND menuWindow = FindWindowW(L"#32768", nullptr);
  if (!menuWindow) return false;
  for (const WPARAM key : keys)
    PostMessageW(menuWindow, WM_KEYDOWN, key, 1);
  return true;
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
  WhenModal([] { return PressMenuKeys({VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}); });
  IPopupMenu* chosen = mGraphics.ShowNativePopupMenu(menu, IRect(10.f, 10.f, 90.f, 40.f));

  EXPECT_EQ(chosen, sub);
  EXPECT_EQ(completed, sub);
  EXPECT_EQ(sub->GetChosenItemIdx(), 1);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);

  // Escape closes it without a choice.
  WhenModal([] { return PressMenuKeys({VK_ESCAPE}); });
  EXPECT_EQ(mGraphics.ShowNativePopupMenu(menu, IRect(10.f, 10.f, 90.f, 40.f)), nullptr);
}

TEST_F(WinServices, MessageBoxShowsUtf8TextOwnedByTheHostWindow)
{
  std::wstring text;
  HWND owner = nullptr;
  const std::function<bool()> answer = AnswerBox(L"Caf\u00e9", IDOK, text);
  WhenModal(
      [&]
      {
        owner = GetWindow(FindWindowW(nullptr, L"Caf\u00e9"), GW_OWNER);
        return answer();
      });
  int completed = -1;
  const int result = mGraphics.ShowModalMessage("h\xC3\xA9llo", "Caf\xC3\xA9", MB_OK,
                                                [&](int answer) { completed = answer; });
  EXPECT_EQ(text, L"h\u00e9llo");
  EXPECT_EQ(owner, sEditor->host.Get());
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(completed, IDOK);
}

TEST_F(WinServices, SaveDialogAnswersTheFullPathAndItsDirectory)
{
  HWND editor = static_cast<HWND>(mGraphics.EditorWindowHandle());
  WhenModal(
      [&]
      {
        HWND dialog = OpenDialogOwnedBy(editor);
        if (!dialog) return false;
        // The name field of either dialog style.
        SetDlgItemTextW(dialog, 0x480, L"C:\\windows\\y.wav");
        SetDlgItemTextW(dialog, 0x47c, L"C:\\windows\\y.wav");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return true;
      });
  std::string fileName = "start.wav";
  std::string dir = "C:\\";
  std::vector<std::string> answers;
  mGraphics.ChooseFile(fileName, dir, 1, "wav aif",
                       [&](const std::string& f, const std::string& d)
                       {
                         answers.push_back(f);
                         answers.push_back(d);
                       });
  EXPECT_EQ(fileName, "C:\\windows\\y.wav");
  EXPECT_EQ(dir, "C:\\windows\\");
  EXPECT_EQ(answers, (std::vector<std::string>{"C:\\windows\\y.wav", "C:\\windows\\"}));
}

TEST_F(WinServices, CancelledDialogsAnswerNothingChosen)
{
  HWND editor = static_cast<HWND>(mGraphics.EditorWindowHandle());
  int cancelled = 0; // dialogs found and cancelled, not merely dismissed after waiting
  auto cancel = [editor, &cancelled]
  {
    HWND dialog = OpenDialogOwnedBy(editor);
    if (!dialog) return false;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ++cancelled;
    return true;
  };

  WhenModal(cancel);
  std::string fileName = "y.wav";
  std::string dir = "C:\\x\\";
  int fileAnswers = 0;
  mGraphics.ChooseFile(fileName, dir, 0, "wav",
                       [&](const std::string&, const std::string&) { ++fileAnswers; });
  EXPECT_EQ(fileName, "");
  EXPECT_EQ(dir, "C:\\x\\"); // unchanged
  EXPECT_EQ(fileAnswers, 1);

  WhenModal(cancel);
  std::vector<std::string> folderAnswers;
  mGraphics.ChooseFolder(dir,
                         [&](const std::string& f, const std::string& d) {
                           folderAnswers = {f, d};
                         });
  EXPECT_EQ(dir, "");
  EXPECT_EQ(folderAnswers, (std::vector<std::string>{"", ""}));

  WhenModal(cancel);
  int colourAnswers = 0;
  IColor colour(128, 10, 20, 30);
  EXPECT_FALSE(mGraphics.ChooseColour(colour, "", [&](const IColor&) { ++colourAnswers; }));
  EXPECT_EQ(colourAnswers, 0);
  EXPECT_EQ(colour, IColor(128, 10, 20, 30));
  EXPECT_EQ(cancelled, 3);
}

TEST_F(WinServices, ColourDialogShowsThePromptAndKeepsAlpha)
{
  bool titled = false;
  WhenModal(
      [&]
      {
        HWND dialog = FindWindowW(nullptr, L"Pick a colour");
        if (!dialog) return false;
        titled = true;
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return true;
      });
  IColor colour(128, 10, 20, 30);
  IColor answered;
  EXPECT_TRUE(
      mGraphics.ChooseColour(colour, "Pick a colour", [&](const IColor& c) { answered = c; }));
  EXPECT_TRUE(titled);
  // OK on the initial colour: red, green and blue come back in their places, alpha stays.
  EXPECT_EQ(colour, IColor(128, 10, 20, 30));
  EXPECT_EQ(answered, colour);
}

TEST_F(WinServices, WebAddressNeedsConsentAndAnAddressThatFits)
{
  std::wstring asked;
  WhenModal(AnswerBox(L"Brasmire", IDNO, asked));
  EXPECT_FALSE(mGraphics.OpenWebAddress("https://example.com/", "Brasmire", "Open the manual?"));
  EXPECT_EQ(asked, L"Open the manual?");

  // 4096 units with the terminator do not fit: nothing opens and the error is shown.
  const std::string tooLong = "https://example.com/" + std::string(4096, 'a');
  std::wstring error;
  WhenModal(AnswerBox(L"Brasmire", IDOK, error));
  EXPECT_FALSE(mGraphics.OpenWebAddress(tooLong.c_str(), "Brasmire", nullptr, "No browser"));
  EXPECT_EQ(error, L"No browser");

  EXPECT_FALSE(mGraphics.ShowInFileExplorer(""));
  EXPECT_FALSE(mGraphics.ShowInFileExplorer(nullptr));
}

TEST_F(WinServices, ShowingALockedCursorPutsItBackWhereItWasHidden)
{
  HWND editor = static_cast<HWND>(mGraphics.EditorWindowHandle());
  POINT hiddenAt{50, 20}; // client pixels = points at scale 1
  ClientToScreen(editor, &hiddenAt);
  mGraphics.WarpCursorTo(50.f, 20.f);
  float x = 0.f;
  float y = 0.f;
  mGraphics.CursorPositionInPoints(x, y);
  EXPECT_EQ(x, 50.f);
  EXPECT_EQ(y, 20.f);

  mGraphics.SetCursorHidden(true, true);
  EXPECT_TRUE(mGraphics.CursorIsLocked());
  SetCursorPos(hiddenAt.x + 100, hiddenAt.y + 40); // the pointer wanders while hidden
  mGraphics.CursorPositionInPoints(x, y);
  EXPECT_EQ(x, 150.f);
  EXPECT_EQ(y, 60.f);
  mGraphics.SetCursorHidden(false);
  POINT now{};
  GetCursorPos(&now);
  EXPECT_EQ(now.x, hiddenAt.x);
  EXPECT_EQ(now.y, hiddenAt.y);
  EXPECT_FALSE(mGraphics.CursorIsLocked());
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

TEST(WinServicesWithoutWindow, DialogsChooseNothingAndDropTheirCompletions)
{
  test::FakeEditorDelegate delegate(0);
  IGraphicsWin graphics(delegate, 100, 100);
  int answers = 0;
  std::string fileName = "y.wav";
  std::string dir = "C:\\x\\";
  graphics.ChooseFile(fileName, dir, 0, "wav",
                      [&](const std::string&, const std::string&) { ++answers; });
  EXPECT_EQ(fileName, "");
  IColor colour = COLOR_RED;
  EXPECT_FALSE(graphics.ChooseColour(colour, "", [&](const IColor&) { ++answers; }));
  EXPECT_EQ(answers, 0);
  std::unique_ptr<IPopupMenu> menu = std::make_unique<IPopupMenu>();
  menu->AddItem("One");
  EXPECT_EQ(graphics.ShowNativePopupMenu(*menu, IRect(0.f, 0.f, 10.f, 10.f)), nullptr);
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

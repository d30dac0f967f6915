// The window layer in this process, on a recording delegate: what a dropped
// file hands the control under it, and how the window and its parents follow
// a size change.

#include "IGraphics/Platforms/IGraphicsWin.h"
#include "support/FakeEditorDelegate.h"
#include "support/ProbeControl.h"
#include "tests/platforms/DawWindow.h"
#include "tests/platforms/PrefixExpectations.h"

#include <GL/gl.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using igraphics::IGraphicsWin;
using igraphics::IRect;
using igraphics::test::FakeEditorDelegate;
using igraphics::test::ProbeControl;
using platformtest::DawWindow;

namespace
{

SIZE WindowSize(HWND wnd)
{
  RECT r{};
  GetWindowRect(wnd, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// A drop of one file as the shell hands it over: DROPFILES, then the wide
// path with a double terminator, in movable global memory (freed by DragFinish).
HDROP MakeDrop(const std::wstring& path, POINT at)
{
  const std::size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = at;
  drop->fNC = FALSE;
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(),
              path.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class WinGraphicsTest : public ::testing::Test
{
protected:
  WinGraphicsTest()
  {
    SetProcessDPIAware();
    dlg.SetLayoutFunction(
        [this](igraphics::IGraphics* g)
        {
          auto control =
              std::make_unique<ProbeControl>(IRect(0.f, 0.f, 732.f, 208.f), igraphics::COLOR_RED);
          probe = static_cast<ProbeControl*>(g->AttachControl(std::move(control)));
        });
  }

  ~WinGraphicsTest() override { graphics->DestroyEditorWindow(); }

  HWND Open() { return static_cast<HWND>(graphics->CreateEditorWindow(daw.Get())); }

  DawWindow daw{nullptr, 800, 300};
  FakeEditorDelegate dlg;
  std::unique_ptr<IGraphicsWin> graphics = std::make_unique<IGraphicsWin>(dlg, 732, 208, 60, 1.f);
  ProbeControl* probe = nullptr;
};

} // namespace

TEST_F(WinGraphicsTest, ADroppedFileReachesTheControlUnderItAsUtf8)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  ASSERT_NE(probe, nullptr);
  // é is U+00E9 (UTF-8 C3 A9), the CJK sign U+6F22 (E6 BC A2).
  SendMessageW(editor, WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop(L"C:\\d\\h\u00e9llo \u6f22.wav", {100, 50})), 0);
  const auto& events = probe->Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), "drop:C:\\d\\h\xC3\xA9llo \xE6\xBC\xA2.wav");
}

TEST_F(WinGraphicsTest, AKeyArrivesWithItsTextAndShiftState)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  std::vector<igraphics::IKeyPress> keys;
  graphics->SetKeyHandler(
      [&](const igraphics::IKeyPress& key, bool isUp)
      {
        if (!isUp) keys.push_back(key);
        return true;
      });
  // The A key (scan code 0x1E) alone, then with shift held.
  BYTE state[256] = {};
  SetKeyboardState(state);
  SendMessageW(editor, WM_KEYDOWN, 'A', 1 | (0x1E << 16));
  state[VK_SHIFT] = 0x80;
  state[VK_LSHIFT] = 0x80;
  SetKeyboardState(state);
  SendMessageW(editor, WM_KEYDOWN, 'A', 1 | (0x1E << 16));
  state[VK_SHIFT] = 0;
  state[VK_LSHIFT] = 0;
  SetKeyboardState(state);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].VK, 'A');
  EXPECT_STREQ(keys[0].utf8, "a");
  EXPECT_FALSE(keys[0].S);
  EXPECT_STREQ(keys[1].utf8, "A");
  EXPECT_TRUE(keys[1].S);
}

TEST_F(WinGraphicsTest, ATickBehindTheDisplayClockDrawsNothing)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  const ULONGLONG end = GetTickCount64() + 150;
  while (GetTickCount64() < end)
  {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageW(&msg);
    Sleep(1);
  }
  ASSERT_FALSE(probe->IsDirty()); // drawn by the first ticks
  probe->SetDirty(false);
  // Tick 1 after 150 ms of display ticks: the clock has long moved on.
  SendMessageW(editor, IGraphicsWin::kDisplayTickMessage, 1, 0);
  EXPECT_EQ(graphics->UsesDisplayClockThread(), platformtest::ExpectDisplayThread());
  if (platformtest::ExpectDisplayThread())
    EXPECT_TRUE(probe->IsDirty());
  else
    EXPECT_FALSE(probe->IsDirty()); // the timer's ticks carry no number
}

TEST_F(WinGraphicsTest, WithTooltipsAHoveredControlShowsItsTextAndLeavingHidesIt)
{
  graphics->EnableTooltips(true);
  graphics->EnableMouseOver(true);
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  // Above the background, which never takes mouse-over.
  auto* knob = static_cast<ProbeControl*>(graphics->AttachControl(
      std::make_unique<ProbeControl>(IRect(50.f, 20.f, 200.f, 100.f), igraphics::COLOR_BLUE)));
  knob->SetTooltip("Mix level");
  HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
  // A child window owns nothing: the system gives the tooltip to its top-level window.
  while (tip != nullptr && GetWindow(tip, GW_OWNER) != daw.Get())
    tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr);
  ASSERT_NE(tip, nullptr);

  const auto tipText = [&]
  {
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = editor;
    tool.uId = reinterpret_cast<UINT_PTR>(editor);
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    return std::wstring(text);
  };
  SendMessageW(editor, WM_MOUSEMOVE, 0, MAKELPARAM(100, 50));
  SendMessageW(editor, WM_MOUSEHOVER, 0, MAKELPARAM(100, 50));
  EXPECT_EQ(tipText(), L"Mix level");
  SendMessageW(editor, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(tipText(), L"");

  graphics->DestroyEditorWindow();
  EXPECT_FALSE(IsWindow(tip));
}

TEST_F(WinGraphicsTest, ClosingAfterTheHostDestroyedItsWindowLeavesTheHostsTexturesAlone)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  // The host's own GL, in a window of its own, with textures of its own.
  DawWindow hostGlWindow{nullptr, 200, 100};
  HDC dc = GetDC(hostGlWindow.Get());
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(pfd);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd));
  HGLRC hostContext = wglCreateContext(dc);
  ASSERT_TRUE(wglMakeCurrent(dc, hostContext));
  GLuint textures[8] = {};
  glGenTextures(8, textures);
  for (GLuint t : textures)
    glBindTexture(GL_TEXTURE_2D, t);

  DestroyWindow(daw.Get()); // the editor window goes with it
  EXPECT_FALSE(IsWindow(editor));
  graphics->DestroyEditorWindow();
  EXPECT_EQ(wglGetCurrentContext(), hostContext);
  for (GLuint t : textures)
    EXPECT_TRUE(glIsTexture(t)) << "texture " << t;
  glDeleteTextures(8, textures);
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(hostContext);
  ReleaseDC(hostGlWindow.Get(), dc);
}

TEST_F(WinGraphicsTest, ASizeTheHostDoesNotTakeGrowsTheParentsToo)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  ASSERT_EQ(WindowSize(editor).cx, 732);

  // Draw scale 1.5: int(732 × 1.5) = 1098 by 312, 366 by 104 more.
  dlg.SetResizeAnswer(false);
  graphics->Resize(732, 208, 1.5f);
  EXPECT_EQ(WindowSize(editor).cx, 1098);
  EXPECT_EQ(WindowSize(editor).cy, 312);
  EXPECT_EQ(WindowSize(daw.Get()).cx, 800 + 366);
  EXPECT_EQ(WindowSize(daw.Get()).cy, 300 + 104);

  // A host that resized its view itself: only the editor window follows.
  dlg.SetResizeAnswer(true);
  graphics->Resize(732, 208, 1.f);
  EXPECT_EQ(WindowSize(editor).cx, 732);
  EXPECT_EQ(WindowSize(editor).cy, 208);
  EXPECT_EQ(WindowSize(daw.Get()).cx, 800 + 366);
  EXPECT_EQ(WindowSize(daw.Get()).cy, 300 + 104);
}

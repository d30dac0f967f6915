// The window layer in this process, on a recording delegate: what a dropped
// file hands the control under it, and how the window and its parents follow
// a size change.

#include "IGraphics/Platforms/IGraphicsWin.h"
#include "support/FakeEditorDelegate.h"
#include "support/ProbeControl.h"
#include "tests/platforms/DawWindow.h"

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

// The display clock's thread: numbered ticks posted to a window until stopped,
// and safe when it outlives the wait for it.

#include "IGraphics/Platforms/DisplayClockThread.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using igraphics::DisplayClockThread;

namespace
{

constexpr UINT kTick = WM_APP + 7;

class MessageWindow
{
public:
  MessageWindow()
      : mWnd(CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr))
  {
  }
  ~MessageWindow() { DestroyWindow(mWnd); }
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;
  HWND Get() const { return mWnd; }

  // The tick numbers that arrive within `ms`.
  std::vector<WPARAM> Collect(int ms) const
  {
    std::vector<WPARAM> ticks;
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    do
    {
      MSG msg;
      while (PeekMessageW(&msg, mWnd, kTick, kTick, PM_REMOVE))
        ticks.push_back(msg.wParam);
      Sleep(1);
    } while (GetTickCount64() < end);
    return ticks;
  }

private:
  HWND mWnd;
};

} // namespace

TEST(DisplayClockThread, PostsTicksNumberedFromOneUntilStopped)
{
  MessageWindow window;
  ASSERT_NE(window.Get(), nullptr);
  DisplayClockThread clock(window.Get(), kTick);
  ASSERT_TRUE(clock.Started());
  std::vector<WPARAM> ticks = window.Collect(300);
  EXPECT_TRUE(clock.Stop());
  const std::uint32_t last = clock.Counter();
  for (WPARAM t : window.Collect(50))
    ticks.push_back(t);
  // A pass takes a vertical blank or 16 ms: 300 ms make about 19, never a busy loop.
  ASSERT_GE(ticks.size(), 5u);
  EXPECT_LE(ticks.size(), 60u);
  for (std::size_t i = 0; i < ticks.size(); ++i)
    EXPECT_EQ(ticks[i], i + 1);
  // The pass running at the stop may count without posting: the window is
  // forgotten before the wait.
  EXPECT_LE(ticks.back(), last);
  EXPECT_GE(ticks.back() + 1, last);
  // Stopped: nothing more is counted or posted.
  EXPECT_TRUE(window.Collect(60).empty());
  EXPECT_EQ(clock.Counter(), last);
}

TEST(DisplayClockThread, AThreadThatOutlivesTheStopWaitPostsNothingMore)
{
  MessageWindow window;
  auto clock = std::make_unique<DisplayClockThread>(window.Get(), kTick);
  ASSERT_TRUE(clock->Started());
  window.Collect(40);
  // No wait at all: the thread is most likely still running when the object goes.
  clock->Stop(0);
  clock.reset();
  window.Collect(20); // a tick posted just before the stop may still arrive
  EXPECT_TRUE(window.Collect(80).empty());
}

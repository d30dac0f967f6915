#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

namespace igraphics
{

// The display clock of one editor window: a thread that waits for the
// display's vertical blank (or sleeps 16 ms where it cannot) and after every
// pass posts `tickMessage` with the new tick number in wParam. It touches no
// graphics state.
//
// The thread and this object own the shared state jointly, so a thread that
// outlives the stop wait still reads live memory; it then ends at its next
// pass. Non-copyable.
class DisplayClockThread
{
public:
  // Starts the thread. [main-thread]
  DisplayClockThread(HWND window, UINT tickMessage);
  // Stops with the default wait. [main-thread]
  ~DisplayClockThread();
  DisplayClockThread(const DisplayClockThread&) = delete;
  DisplayClockThread& operator=(const DisplayClockThread&) = delete;

  // Whether the thread could be started. [main-thread]
  bool Started() const { return mThread != nullptr; }
  // Sets the stop flag, forgets the window and waits at most `timeoutMs` for
  // the thread; the handle is closed either way. Whether it ended in time.
  // [main-thread]
  bool Stop(DWORD timeoutMs = kStopWaitMs);
  // The number of the last posted tick. [any-thread]
  std::uint32_t Counter() const { return mShared->counter.load(std::memory_order_acquire); }
  // Whether the vertical-blank functions were found. [any-thread]
  bool UsesVerticalBlank() const { return mShared->verticalBlank.load(std::memory_order_acquire); }

  static constexpr DWORD kStopWaitMs = 10000;
  static constexpr DWORD kSleepMs = 16;
  static constexpr DWORD kAdapterRetryMs = 1000;

private:
  struct Shared
  {
    std::atomic<std::uint32_t> counter{0};  // written by the thread
    std::atomic<bool> stop{false};          // written by the main thread
    std::atomic<HWND> window{nullptr};      // written by the main thread; null once stopping
    std::atomic<bool> verticalBlank{false}; // written by the thread
    UINT message = 0;                       // constant
  };

  static DWORD WINAPI Run(void* param);
  static void RunVerticalBlankLoop(Shared& shared, HMODULE gdi);
  static void TickAndPost(Shared& shared);

  std::shared_ptr<Shared> mShared;
  HANDLE mThread = nullptr;
};

} // namespace igraphics

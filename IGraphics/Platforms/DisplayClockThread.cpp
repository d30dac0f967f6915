#include "IGraphics/Platforms/DisplayClockThread.h"

namespace igraphics
{

namespace
{

// The kernel display interface's records, as gdi32 takes them.
using KmtHandle = UINT;

struct KmtOpenAdapterFromHdc
{
  HDC hDc;
  KmtHandle hAdapter;
  LUID adapterLuid;
  UINT vidPnSourceId;
};

struct KmtCloseAdapter
{
  KmtHandle hAdapter;
};

struct KmtWaitForVerticalBlankEvent
{
  KmtHandle hAdapter;
  KmtHandle hDevice;
  UINT vidPnSourceId;
};

using OpenAdapterFn = LONG(APIENTRY*)(KmtOpenAdapterFromHdc*);
using CloseAdapterFn = LONG(APIENTRY*)(const KmtCloseAdapter*);
using WaitForVerticalBlankFn = LONG(APIENTRY*)(const KmtWaitForVerticalBlankEvent*);

template <typename Fn>
Fn Lookup(HMODULE module, const char* name)
{
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

DisplayClockThread::DisplayClockThread(HWND window, UINT tickMessage)
    : mShared(std::make_shared<Shared>())
{
  mShared->message = tickMessage;
  mShared->window.store(window, std::memory_order_release);
  // The thread's own reference, released by the thread when it ends.
  auto threadRef = std::make_unique<std::shared_ptr<Shared>>(mShared);
  mThread = CreateThread(nullptr, 0, &Run, threadRef.get(), 0, nullptr);
  if (mThread != nullptr) threadRef.release();
}

DisplayClockThread::~DisplayClockThread()
{
  Stop();
}

bool DisplayClockThread::Stop(DWORD timeoutMs)
{
  if (mThread == nullptr) return true;
  mShared->stop.store(true, std::memory_order_release);
  mShared->window.store(nullptr, std::memory_order_release);
  const bool ended = WaitForSingleObject(mThread, timeoutMs) == WAIT_OBJECT_0;
  CloseHandle(mThread);
  mThread = nullptr;
  return ended;
}

void DisplayClockThread::TickAndPost(Shared& shared)
{
  const std::uint32_t tick = shared.counter.fetch_add(1, std::memory_order_acq_rel) + 1;
  if (HWND window = shared.window.load(std::memory_order_acquire))
    PostMessageW(window, shared.message, static_cast<WPARAM>(tick), 0);
}

void DisplayClockThread::RunVerticalBlankLoop(Shared& shared, HMODULE gdi)
{
  const auto openAdapter = Lookup<OpenAdapterFn>(gdi, "D3DKMTOpenAdapterFromHdc");
  const auto closeAdapter = Lookup<CloseAdapterFn>(gdi, "D3DKMTCloseAdapter");
  const auto waitForVerticalBlank =
      Lookup<WaitForVerticalBlankFn>(gdi, "D3DKMTWaitForVerticalBlankEvent");
  const bool found = openAdapter && closeAdapter && waitForVerticalBlank;
  shared.verticalBlank.store(found, std::memory_order_release);

  bool adapterOpen = false;
  KmtWaitForVerticalBlankEvent wait{};
  DWORD lastFailedOpen = 0;
  bool openFailed = false;
  while (!shared.stop.load(std::memory_order_acquire))
  {
    if (!found)
      Sleep(kSleepMs);
    else if (!adapterOpen)
    {
      if (openFailed && GetTickCount() - lastFailedOpen < kAdapterRetryMs)
        Sleep(kSleepMs);
      else
      {
        KmtOpenAdapterFromHdc open{};
        HWND window = shared.window.load(std::memory_order_acquire);
        HDC dc = window ? GetDC(window) : nullptr;
        open.hDc = dc;
        const bool opened = dc != nullptr && openAdapter(&open) == 0;
        if (dc) ReleaseDC(window, dc);
        if (opened)
        {
          adapterOpen = true;
          openFailed = false;
          wait.hAdapter = open.hAdapter;
          wait.hDevice = 0;
          wait.vidPnSourceId = open.vidPnSourceId;
        }
        else
        {
          openFailed = true;
          lastFailedOpen = GetTickCount();
          Sleep(kSleepMs);
        }
      }
    }
    else if (waitForVerticalBlank(&wait) != 0)
    {
      const KmtCloseAdapter close{wait.hAdapter};
      closeAdapter(&close);
      adapterOpen = false;
      Sleep(kSleepMs);
    }
    TickAndPost(shared);
  }
  if (adapterOpen)
  {
    const KmtCloseAdapter close{wait.hAdapter};
    closeAdapter(&close);
  }
}

DWORD WINAPI DisplayClockThread::Run(void* param)
{
  const std::unique_ptr<std::shared_ptr<Shared>> ref(static_cast<std::shared_ptr<Shared>*>(param));
  Shared& shared = **ref;
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  HMODULE gdi = LoadLibraryW(L"gdi32.dll");
  if (gdi == nullptr)
  {
    while (!shared.stop.load(std::memory_order_acquire))
    {
      Sleep(kSleepMs);
      TickAndPost(shared);
    }
    return 0;
  }
  RunVerticalBlankLoop(shared, gdi);
  FreeLibrary(gdi);
  return 0;
}

} // namespace igraphics

#include "Host/Validator/EditorImportHooks.h"

#include "Host/Validator/GlObjectCounts.h"
#include "Host/Validator/ModuleImports.h"

#include <windows.h>

#include <mutex>
#include <set>

namespace plughost
{
namespace
{
using CreateContextFn = HGLRC(WINAPI*)(HDC);
using DeleteContextFn = BOOL(WINAPI*)(HGLRC);
using SetTimerFn = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
using KillTimerFn = BOOL(WINAPI*)(HWND, UINT_PTR);

// The imports as they were; written once while patching (main thread), read by the thunks.
CreateContextFn gCreateContext;
DeleteContextFn gDeleteContext;
SetTimerFn gSetTimer;
KillTimerFn gKillTimer;

struct Timers
{
  std::mutex lock;
  std::set<UINT_PTR> live; // under lock
  bool hooked = false;     // under lock
};

Timers& TheTimers()
{
  static Timers timers;
  return timers;
}

HGLRC WINAPI CountCreateContext(HDC dc)
{
  const HGLRC context = gCreateContext(dc);
  GlObjectCounts::ContextMade(context);
  return context;
}

BOOL WINAPI CountDeleteContext(HGLRC context)
{
  const BOOL deleted = gDeleteContext(context);
  if (deleted) GlObjectCounts::ContextDestroyed(context);
  return deleted;
}

// Only timers without a window: a window's timers end with it.
UINT_PTR WINAPI CountSetTimer(HWND window, UINT_PTR id, UINT ms, TIMERPROC procedure)
{
  const UINT_PTR made = gSetTimer(window, id, ms, procedure);
  if (window == nullptr && made != 0)
  {
    Timers& timers = TheTimers();
    std::lock_guard<std::mutex> guard(timers.lock);
    timers.live.insert(made);
  }
  return made;
}

BOOL WINAPI CountKillTimer(HWND window, UINT_PTR id)
{
  const BOOL killed = gKillTimer(window, id);
  if (window == nullptr && killed)
  {
    Timers& timers = TheTimers();
    std::lock_guard<std::mutex> guard(timers.lock);
    timers.live.erase(id);
  }
  return killed;
}

template <typename F>
void** Slot(F& function)
{
  return reinterpret_cast<void**>(&function);
}

const ImportHook kGlHooks[] = {
    {"wglCreateContext", reinterpret_cast<void*>(&CountCreateContext), Slot(gCreateContext)},
    {"wglDeleteContext", reinterpret_cast<void*>(&CountDeleteContext), Slot(gDeleteContext)},
};
const ImportHook kTimerHooks[] = {
    {"SetTimer", reinterpret_cast<void*>(&CountSetTimer), Slot(gSetTimer)},
    {"KillTimer", reinterpret_cast<void*>(&CountKillTimer), Slot(gKillTimer)},
};
} // namespace

bool EditorImportHooks::Install(aaxhost::PluginModule& module, std::string& detail)
{
  const int gl = PatchModuleImports(module, kGlHooks, detail);
  const int timers = PatchModuleImports(module, kTimerHooks, detail);
  // Both context calls seen, or a context made unseen could look leaked.
  if (gl == 2) GlObjectCounts::Watching(false);
  if (timers == 2)
  {
    Timers& t = TheTimers();
    std::lock_guard<std::mutex> guard(t.lock);
    t.hooked = true;
  }
  if (gl != 2 || timers != 2)
    detail += " (the module's GL context or timer imports could not all be hooked)";
  return gl == 2 || timers == 2;
}

int EditorImportHooks::ThreadTimers()
{
  Timers& timers = TheTimers();
  std::lock_guard<std::mutex> guard(timers.lock);
  return timers.hooked ? static_cast<int>(timers.live.size()) : -1;
}

} // namespace plughost

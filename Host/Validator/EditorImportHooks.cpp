#include "Host/Validator/EditorImportHooks.h"

#include "Host/Validator/GlObjectCounts.h"
#include "Host/Validator/GlObjectWrappers.h"
#include "Host/Validator/ModuleImports.h"

#include <windows.h>

#include <cstring>
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
using GetProcAddressFn = FARPROC(WINAPI*)(HMODULE, LPCSTR);
using WglGetProcAddressFn = PROC(WINAPI*)(LPCSTR);

// The imports as they were; written once while patching (main thread), read by the thunks.
CreateContextFn gCreateContext;
DeleteContextFn gDeleteContext;
SetTimerFn gSetTimer;
KillTimerFn gKillTimer;
GetProcAddressFn gGetProcAddress;
WglGetProcAddressFn gWglGetProcAddress; // the one the module looked up

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

const void* CurrentWglContext()
{
  return wglGetCurrentContext();
}

// A module's renderer finds its GL functions by name: through
// wglGetProcAddress, itself found by GetProcAddress on opengl32, and the
// GL 1.1 ones by GetProcAddress directly. Those of GL objects come back
// wrapped.
PROC WINAPI CountWglGetProcAddress(LPCSTR name)
{
  const PROC real = gWglGetProcAddress(name);
  if (real == nullptr || name == nullptr) return real;
  return reinterpret_cast<PROC>(WrapGlObjectFunction(name, reinterpret_cast<AnyGlFunction>(real)));
}

FARPROC WINAPI CountGetProcAddress(HMODULE module, LPCSTR name)
{
  const FARPROC real = gGetProcAddress(module, name);
  if (real == nullptr || IS_INTRESOURCE(name)) return real;
  if (std::strcmp(name, "wglGetProcAddress") == 0)
  {
    gWglGetProcAddress = reinterpret_cast<WglGetProcAddressFn>(reinterpret_cast<void*>(real));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&CountWglGetProcAddress));
  }
  return reinterpret_cast<FARPROC>(
      WrapGlObjectFunction(name, reinterpret_cast<AnyGlFunction>(real)));
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
const ImportHook kLookUpHooks[] = {
    {"GetProcAddress", reinterpret_cast<void*>(&CountGetProcAddress), Slot(gGetProcAddress)},
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
  const int lookUps = PatchModuleImports(module, kLookUpHooks, detail);
  // Both context calls seen, or a context made unseen could look leaked.
  if (gl == 2)
  {
    SetGlContextSource(&CurrentWglContext);
    GlObjectCounts::Watching(lookUps == 1);
  }
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

#include "IGraphics/Drawing/GlFunctions.h"

#include <cstdint>
#include <string>

#ifndef _WIN32
#include <EGL/egl.h>
#endif

namespace igraphics
{

bool GlFunctions::Load(ProcLookup lookup, void* user, const char** missing)
{
  const auto resolve = [&](const char* name, auto& slot)
  {
    slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(lookup(name, user));
    return slot != nullptr;
  };
  const auto resolveWithExt = [&](const char* name, auto& slot)
  {
    if (resolve(name, slot)) return true;
    const std::string ext = std::string(name) + "EXT";
    return resolve(ext.c_str(), slot);
  };
  const char* firstMissing = nullptr;
  bool ok = true;
#define BRASMIRE_GL_RESOLVE(ret, name, params)                                                     \
  if (!resolve("gl" #name, name) && ok)                                                            \
  {                                                                                                \
    ok = false;                                                                                    \
    firstMissing = "gl" #name;                                                                     \
  }
  BRASMIRE_GL_CORE_FUNCTIONS(BRASMIRE_GL_RESOLVE)
#undef BRASMIRE_GL_RESOLVE
#define BRASMIRE_GL_RESOLVE_EXT(ret, name, params)                                                 \
  if (!resolveWithExt("gl" #name, name) && ok)                                                     \
  {                                                                                                \
    ok = false;                                                                                    \
    firstMissing = "gl" #name;                                                                     \
  }
  BRASMIRE_GL_FRAMEBUFFER_FUNCTIONS(BRASMIRE_GL_RESOLVE_EXT)
#undef BRASMIRE_GL_RESOLVE_EXT
#define BRASMIRE_GL_RESOLVE_OPTIONAL(ret, name, params) resolveWithExt("gl" #name, name);
  BRASMIRE_GL_OPTIONAL_FUNCTIONS(BRASMIRE_GL_RESOLVE_OPTIONAL)
#undef BRASMIRE_GL_RESOLVE_OPTIONAL
  if (missing) *missing = firstMissing;
  return ok;
}

#ifdef _WIN32

namespace
{

struct WglLookup
{
  HMODULE library = nullptr;
  PROC(WINAPI* getProcAddress)(LPCSTR) = nullptr;
};

void* LookupWgl(const char* name, void* user)
{
  const auto* wgl = static_cast<const WglLookup*>(user);
  if (wgl->getProcAddress)
  {
    // Some drivers answer "not found" with small sentinel values instead of null.
    const auto address = reinterpret_cast<std::intptr_t>(wgl->getProcAddress(name));
    if (address != 0 && address != 1 && address != 2 && address != 3 && address != -1)
      return reinterpret_cast<void*>(address);
  }
  // GL 1.1 functions are exported by opengl32 itself and unknown to wglGetProcAddress.
  return reinterpret_cast<void*>(GetProcAddress(wgl->library, name));
}

} // namespace

bool GlFunctions::LoadFromPlatform(const char** missing)
{
  WglLookup wgl;
  wgl.library = LoadLibraryW(L"opengl32.dll");
  if (!wgl.library)
  {
    if (missing) *missing = "opengl32.dll";
    return false;
  }
  wgl.getProcAddress = reinterpret_cast<PROC(WINAPI*)(LPCSTR)>(
      reinterpret_cast<void*>(GetProcAddress(wgl.library, "wglGetProcAddress")));
  const bool ok = Load(&LookupWgl, &wgl, missing);
  // The context keeps opengl32 loaded; this only drops our own reference.
  FreeLibrary(wgl.library);
  return ok;
}

#else

bool GlFunctions::LoadFromPlatform(const char** missing)
{
  const auto lookup = [](const char* name, void*) -> void*
  { return reinterpret_cast<void*>(eglGetProcAddress(name)); };
  return Load(lookup, nullptr, missing);
}

#endif

} // namespace igraphics

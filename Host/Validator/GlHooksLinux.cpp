// Linked with the real-time hooks into the executables that validate modules
// on Linux: the EGL entry points a module's editor reaches, interposed so that
// GlObjectCounts sees every context made and destroyed and every GL object
// generated and deleted. A module loads its GL functions through
// eglGetProcAddress, so that is where the object functions are wrapped. The
// real entry points come from the EGL library the module brought into the
// process.

#include "Host/Validator/GlObjectCounts.h"
#include "Host/Validator/GlObjectWrappers.h"

#include <dlfcn.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>

using plughost::GlObjectCounts;

namespace
{
using plughost::AnyGlFunction;

// The EGL library's own definition of a name, past this executable's. A
// module brings EGL in privately and may take it out again when it unloads;
// the first lookup keeps the library loaded, so what was found stays valid
// for every later module.
void* RealEgl(const char* name)
{
  if (void* next = dlsym(RTLD_NEXT, name)) return next;
  static void* library = nullptr; // main thread: the editors' thread
  if (library == nullptr) library = dlopen("libEGL.so.1", RTLD_LAZY | RTLD_NOLOAD);
  return library ? dlsym(library, name) : nullptr;
}

const void* CurrentContext()
{
  using Current = void* (*)();
  static const auto current = reinterpret_cast<Current>(RealEgl("eglGetCurrentContext"));
  return current ? current() : nullptr;
}

// Tells the counts, as the executable starts, that they see what happens.
const struct AnnounceWatching
{
  AnnounceWatching()
  {
    plughost::SetGlContextSource(&CurrentContext);
    GlObjectCounts::Watching();
  }
} gAnnounceWatching;

} // namespace

// Called by a module wherever it makes its GL contexts (its editor's thread).
// [any-thread]
extern "C"
{
  // Prototypes of our own: EGL's handle types are pointers, its booleans unsigned.
  void* eglCreateContext(void* display, void* config, void* share, const std::int32_t* attributes);
  unsigned eglDestroyContext(void* display, void* context);
  AnyGlFunction eglGetProcAddress(const char* name);

  void* eglCreateContext(void* display, void* config, void* share, const std::int32_t* attributes)
  {
    using Real = void* (*)(void*, void*, void*, const std::int32_t*);
    static const auto real = reinterpret_cast<Real>(RealEgl("eglCreateContext"));
    if (real == nullptr) return nullptr;
    void* context = real(display, config, share, attributes);
    GlObjectCounts::ContextMade(context);
    return context;
  }

  unsigned eglDestroyContext(void* display, void* context)
  {
    using Real = unsigned (*)(void*, void*);
    static const auto real = reinterpret_cast<Real>(RealEgl("eglDestroyContext"));
    if (real == nullptr) return 0;
    const unsigned destroyed = real(display, context);
    if (destroyed) GlObjectCounts::ContextDestroyed(context);
    return destroyed;
  }

  AnyGlFunction eglGetProcAddress(const char* name)
  {
    using Real = AnyGlFunction (*)(const char*);
    static const auto real = reinterpret_cast<Real>(RealEgl("eglGetProcAddress"));
    if (real == nullptr || name == nullptr) return nullptr;
    return plughost::WrapGlObjectFunction(name, real(name));
  }
}

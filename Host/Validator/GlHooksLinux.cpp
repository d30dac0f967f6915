// Linked with the real-time hooks into the executables that validate modules
// on Linux: the EGL entry points a module's editor reaches, interposed so that
// GlObjectCounts sees every context made and destroyed and every GL object
// generated and deleted. A module loads its GL functions through
// eglGetProcAddress, so that is where the object functions are wrapped. The
// real entry points come from the EGL library the module brought into the
// process.

#include "Host/Validator/GlObjectCounts.h"

#include <dlfcn.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>

using plughost::GlObjectCounts;

namespace
{
using Kind = GlObjectCounts::Kind;
using AnyFunction = void (*)();
using GenFunction = void (*)(std::int32_t, std::uint32_t*);
using DeleteFunction = void (*)(std::int32_t, const std::uint32_t*);
using CreateFunction = std::uint32_t (*)(void);
using CreateShaderFunction = std::uint32_t (*)(std::uint32_t);
using DeleteOneFunction = void (*)(std::uint32_t);

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

void* CurrentContext()
{
  using Current = void* (*)();
  static const auto current = reinterpret_cast<Current>(RealEgl("eglGetCurrentContext"));
  return current ? current() : nullptr;
}

// One wrapper per wrapped GL function; the real function, found once, is
// kept beside it (written on the thread that looks it up, under the loader's
// own ordering: a module looks a function up before calling it).
template <Kind kind>
struct Gen
{
  static inline GenFunction real = nullptr;
  static void Call(std::int32_t n, std::uint32_t* names)
  {
    real(n, names);
    GlObjectCounts::ObjectsMade(CurrentContext(), kind, n, names);
  }
};
template <Kind kind>
struct Delete
{
  static inline DeleteFunction real = nullptr;
  static void Call(std::int32_t n, const std::uint32_t* names)
  {
    GlObjectCounts::ObjectsDeleted(CurrentContext(), kind, n, names);
    real(n, names);
  }
};
struct CreateProgram
{
  static inline CreateFunction real = nullptr;
  static std::uint32_t Call()
  {
    std::uint32_t name = real();
    GlObjectCounts::ObjectsMade(CurrentContext(), Kind::Program, 1, &name);
    return name;
  }
};
struct CreateShader
{
  static inline CreateShaderFunction real = nullptr;
  static std::uint32_t Call(std::uint32_t type)
  {
    std::uint32_t name = real(type);
    GlObjectCounts::ObjectsMade(CurrentContext(), Kind::Shader, 1, &name);
    return name;
  }
};
template <Kind kind>
struct DeleteOne
{
  static inline DeleteOneFunction real = nullptr;
  static void Call(std::uint32_t name)
  {
    GlObjectCounts::ObjectsDeleted(CurrentContext(), kind, 1, &name);
    real(name);
  }
};

template <typename Wrapper>
AnyFunction Wrap(AnyFunction real)
{
  if (real == nullptr) return nullptr;
  Wrapper::real = reinterpret_cast<decltype(Wrapper::real)>(real);
  return reinterpret_cast<AnyFunction>(&Wrapper::Call);
}

// Tells the counts, as the executable starts, that they see what happens.
const struct AnnounceWatching
{
  AnnounceWatching() { GlObjectCounts::Watching(); }
} gAnnounceWatching;

AnyFunction WrapObjectFunction(const char* name, AnyFunction real)
{
  const auto is = [name](const char* gl, const char* suffix = "")
  {
    const std::size_t length = std::strlen(gl);
    return std::strncmp(name, gl, length) == 0 && std::strcmp(name + length, suffix) == 0;
  };
  // Core and extension names of one function share a wrapper: a module uses one of them.
  for (const char* suffix : {"", "EXT"})
  {
    if (is("glGenFramebuffers", suffix)) return Wrap<Gen<Kind::Framebuffer>>(real);
    if (is("glDeleteFramebuffers", suffix)) return Wrap<Delete<Kind::Framebuffer>>(real);
    if (is("glGenRenderbuffers", suffix)) return Wrap<Gen<Kind::Renderbuffer>>(real);
    if (is("glDeleteRenderbuffers", suffix)) return Wrap<Delete<Kind::Renderbuffer>>(real);
  }
  if (is("glGenTextures")) return Wrap<Gen<Kind::Texture>>(real);
  if (is("glDeleteTextures")) return Wrap<Delete<Kind::Texture>>(real);
  if (is("glGenBuffers")) return Wrap<Gen<Kind::Buffer>>(real);
  if (is("glDeleteBuffers")) return Wrap<Delete<Kind::Buffer>>(real);
  if (is("glCreateProgram")) return Wrap<CreateProgram>(real);
  if (is("glDeleteProgram")) return Wrap<DeleteOne<Kind::Program>>(real);
  if (is("glCreateShader")) return Wrap<CreateShader>(real);
  if (is("glDeleteShader")) return Wrap<DeleteOne<Kind::Shader>>(real);
  return real;
}
} // namespace

// Called by a module wherever it makes its GL contexts (its editor's thread).
// [any-thread]
extern "C"
{
  // Prototypes of our own: EGL's handle types are pointers, its booleans unsigned.
  void* eglCreateContext(void* display, void* config, void* share, const std::int32_t* attributes);
  unsigned eglDestroyContext(void* display, void* context);
  AnyFunction eglGetProcAddress(const char* name);

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

  AnyFunction eglGetProcAddress(const char* name)
  {
    using Real = AnyFunction (*)(const char*);
    static const auto real = reinterpret_cast<Real>(RealEgl("eglGetProcAddress"));
    if (real == nullptr || name == nullptr) return nullptr;
    return WrapObjectFunction(name, real(name));
  }
}

#include "Host/Validator/GlObjectWrappers.h"

#include "Host/Validator/GlObjectCounts.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace plughost
{
namespace
{
using Kind = GlObjectCounts::Kind;
using GenFunction = void (*)(std::int32_t, std::uint32_t*);
using DeleteFunction = void (*)(std::int32_t, const std::uint32_t*);
using CreateFunction = std::uint32_t (*)(void);
using CreateShaderFunction = std::uint32_t (*)(std::uint32_t);
using DeleteOneFunction = void (*)(std::uint32_t);

// The platform's "context current on this thread"; set once by the hooks
// before any module loads.
const void* (*gContextSource)() = nullptr;

const void* Current()
{
  return gContextSource ? gContextSource() : nullptr;
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
    GlObjectCounts::ObjectsMade(Current(), kind, n, names);
  }
};
template <Kind kind>
struct Delete
{
  static inline DeleteFunction real = nullptr;
  static void Call(std::int32_t n, const std::uint32_t* names)
  {
    GlObjectCounts::ObjectsDeleted(Current(), kind, n, names);
    real(n, names);
  }
};
struct CreateProgram
{
  static inline CreateFunction real = nullptr;
  static std::uint32_t Call()
  {
    std::uint32_t name = real();
    GlObjectCounts::ObjectsMade(Current(), Kind::Program, 1, &name);
    return name;
  }
};
struct CreateShader
{
  static inline CreateShaderFunction real = nullptr;
  static std::uint32_t Call(std::uint32_t type)
  {
    std::uint32_t name = real(type);
    GlObjectCounts::ObjectsMade(Current(), Kind::Shader, 1, &name);
    return name;
  }
};
template <Kind kind>
struct DeleteOne
{
  static inline DeleteOneFunction real = nullptr;
  static void Call(std::uint32_t name)
  {
    GlObjectCounts::ObjectsDeleted(Current(), kind, 1, &name);
    real(name);
  }
};

template <typename Wrapper>
AnyGlFunction Wrap(AnyGlFunction real)
{
  if (real == nullptr) return nullptr;
  Wrapper::real = reinterpret_cast<decltype(Wrapper::real)>(real);
  return reinterpret_cast<AnyGlFunction>(&Wrapper::Call);
}

} // namespace

void SetGlContextSource(const void* (*current)())
{
  gContextSource = current;
}

AnyGlFunction WrapGlObjectFunction(const char* name, AnyGlFunction real)
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

} // namespace plughost

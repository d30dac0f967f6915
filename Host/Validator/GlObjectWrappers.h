#pragma once

namespace plughost
{

using AnyGlFunction = void (*)();

// The platform hooks' way to name the GL context current on the calling
// thread (EGL's on Linux, WGL's on Windows). [main-thread, before modules load]
void SetGlContextSource(const void* (*current)());

// For a GL function a module looked up by name: a wrapper reporting the
// objects it generates or deletes to GlObjectCounts (textures, buffers,
// framebuffers, renderbuffers, shaders, programs) in the current context, or
// `real` itself for every other function. [any-thread]
AnyGlFunction WrapGlObjectFunction(const char* name, AnyGlFunction real);

} // namespace plughost

#include "OffscreenGlContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdlib>

namespace
{

struct Context
{
  std::string failure;
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLContext context = EGL_NO_CONTEXT;

  Context()
  {
    // Never let a stray DISPLAY or WAYLAND_DISPLAY pick another platform.
    setenv("EGL_PLATFORM", "surfaceless", 1);
    const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay)
      display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor))
    {
      failure = "no EGL display";
      return;
    }
    if (!eglBindAPI(EGL_OPENGL_API))
    {
      failure = "EGL cannot bind desktop OpenGL";
      return;
    }
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1,
                                 EGL_NONE};
    context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT)
    {
      failure = "EGL cannot create an OpenGL 2.1 context without a configuration";
      return;
    }
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
      failure = "EGL cannot make a context current without a surface";
  }
};

} // namespace

const std::string* OffscreenGlContext::Acquire()
{
  static Context context;
  return context.failure.empty() ? nullptr : &context.failure;
}

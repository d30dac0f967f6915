#include "IGraphics/Platforms/EglContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace igraphics
{

EglContext::EglContext()
{
  const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  EGLDisplay display = EGL_NO_DISPLAY;
  // Surfaceless by name: a stray DISPLAY or WAYLAND_DISPLAY must not pick a window system.
  if (getPlatformDisplay)
    display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  EGLint major = 0, minor = 0;
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor))
  {
    mFailure = "no surfaceless EGL display";
    return;
  }
  mDisplay = display;
  if (!eglBindAPI(EGL_OPENGL_API))
  {
    mFailure = "EGL cannot bind desktop OpenGL";
    return;
  }
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1,
                               EGL_NONE};
  EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
  if (context == EGL_NO_CONTEXT)
  {
    mFailure = "EGL cannot create an OpenGL 2.1 context without a configuration";
    return;
  }
  mContext = context;
}

EglContext::~EglContext()
{
  if (mContext)
  {
    if (eglGetCurrentContext() == mContext)
      eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(mDisplay, mContext);
  }
  // The display stays initialised: other users in the process may share it.
}

bool EglContext::MakeCurrent()
{
  if (!Valid()) return false;
  if (mDepth < static_cast<int>(std::size(mSaved)))
    mSaved[mDepth] = Saved{eglGetCurrentDisplay(), eglGetCurrentSurface(EGL_DRAW),
                           eglGetCurrentSurface(EGL_READ), eglGetCurrentContext()};
  ++mDepth;
  return eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, mContext) == EGL_TRUE;
}

void EglContext::Restore()
{
  if (mDepth == 0) return;
  --mDepth;
  if (mDepth >= static_cast<int>(std::size(mSaved))) return;
  const Saved& s = mSaved[mDepth];
  if (s.context == mContext) return;
  if (s.context == EGL_NO_CONTEXT || s.display == EGL_NO_DISPLAY)
    eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  else
    eglMakeCurrent(s.display, s.draw, s.read, s.context);
}

} // namespace igraphics

#pragma once

#include <string>

namespace igraphics
{

// A desktop OpenGL 2.1 context of its own on EGL's surfaceless platform (Mesa),
// without any window: drawing goes to framebuffer objects. Made current around
// each piece of editor work and the previous context restored after, so a host
// with GL of its own keeps it. [main-thread]
class EglContext
{
public:
  EglContext();
  ~EglContext();
  EglContext(const EglContext&) = delete;
  EglContext& operator=(const EglContext&) = delete;

  // Empty when the context exists; otherwise why it does not.
  const std::string& Failure() const { return mFailure; }
  bool Valid() const { return mFailure.empty(); }

  // Makes this context current, remembering the one that was. Nests.
  bool MakeCurrent();
  // Restores the context current before the matching MakeCurrent.
  void Restore();

private:
  struct Saved
  {
    void* display;
    void* draw;
    void* read;
    void* context;
  };
  std::string mFailure;
  void* mDisplay = nullptr; // EGLDisplay
  void* mContext = nullptr; // EGLContext
  Saved mSaved[8] = {};
  int mDepth = 0;
};

} // namespace igraphics

#pragma once

#include <cstdint>

namespace plughost
{

// What the modules of this process did with OpenGL, as the interposed EGL
// entry points (GlHooksLinux.cpp) saw it: contexts made and destroyed, and the
// objects (textures, buffers, framebuffers, renderbuffers, shaders, programs)
// generated and deleted in each (on Windows, EditorImportHooks). Objects still alive
// when their context is destroyed are counted as left behind: a renderer deletes its own before its
// context goes. Where the hooks are not linked (Windows, executables without
// them) nothing is observed. [any-thread]
class GlObjectCounts
{
public:
  enum class Kind
  {
    Texture,
    Buffer,
    Framebuffer,
    Renderbuffer,
    Shader,
    Program,
  };

  struct Snapshot
  {
    bool watched = false;        // the hooks are linked into this executable
    bool objectsWatched = false; // and see the objects inside contexts, not only contexts
    std::int64_t contextsMade = 0;
    std::int64_t contextsDestroyed = 0;
    std::int64_t objectsMade = 0;
    std::int64_t objectsDeleted = 0;
    std::int64_t objectsLeftBehind = 0; // alive when their context was destroyed
    std::int64_t liveContexts = 0;
    std::int64_t liveObjects = 0;
  };
  static Snapshot Now();

  // Called by the hooks: once as they are in place (with whether they see
  // objects too), then with the context current on the calling thread.
  static void Watching(bool objects = true);
  static void ContextMade(const void* context);
  static void ContextDestroyed(const void* context);
  static void ObjectsMade(const void* context, Kind kind, std::int32_t count,
                          const std::uint32_t* names);
  static void ObjectsDeleted(const void* context, Kind kind, std::int32_t count,
                             const std::uint32_t* names);

  GlObjectCounts() = delete;
};

} // namespace plughost

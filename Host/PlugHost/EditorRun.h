#pragma once

#include "Host/HostEventLoop.h"
#include "Host/PlugHost/EventScript.h"
#include "Host/PlugHost/ModuleSession.h"

#include <string>

namespace plughost
{

// What `plughost editor` asks of one opening of the effect's editor.
struct EditorRun
{
  float screenScale = 1.f; // screen pixels per point
  const EventScript* script = nullptr;
  int frames = 30; // frames run after the script
  std::string screenshot;
  // Windows: the editor window's own drawing instead of what the screen shows
  // of it. A host surface is the drawing either way.
  bool captureDrawing = false;
};

// One frame of the host's main loop: long enough for the editor's 60 Hz tick
// and the plug-in's 20 ms timer to fire.
inline constexpr unsigned kEditorFrameMs = 20;

// Runs the host's main loop for that many frames. [main-thread]
inline void RunEditorFrames(int frames)
{
  for (int i = 0; i < frames; ++i)
    aaxhost::HostEventLoop::RunFor(kEditorFrameMs);
}

#ifndef _WIN32
// Opens the session's view on a host surface (no window system), replays the
// script, runs the frames and writes the surface as the screenshot. Returns
// the exit status. [main-thread]
int RunEditorOnSurface(ModuleSession& session, const EditorRun& run);
#else

// Opens the session's view in a top-level window of this host, replays the
// script as window messages, runs the frames and writes what the screen shows
// of the editor (or its drawing, when asked). The screen scale is the display's. Returns the exit
// status. [main-thread]
int RunEditorInWindow(ModuleSession& session, const EditorRun& run);
#endif

} // namespace plughost

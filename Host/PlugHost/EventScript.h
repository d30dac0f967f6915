#pragma once

#include "AAX_SDK/Interfaces/AAX_HostSurface.h"

#include <string>
#include <vector>

namespace plughost
{

// Scripted user input for `plughost editor`: one step per line,
//
//   down X Y [right] [shift] [ctrl] [alt]   press a button at editor point (X, Y)
//   move X Y                                move there (a drag while a button is down)
//   up X Y                                  release the button
//   wheel X Y DELTA                         turn the wheel DELTA notches
//   dblclick X Y                            double-click
//   key TEXT [CODE]                         press and release a key (TEXT its character)
//   wait FRAMES                             let FRAMES editor frames pass
//
// Blank lines and lines starting with '#' are skipped. [main-thread]
class EventScript
{
public:
  struct Step
  {
    std::vector<AAX_HostSurfaceEvent> events; // queued together, then one frame runs
    int waitFrames = 0;                       // a wait step: frames to run
  };

  // False with "line N: reason" for text that is not a script.
  bool Parse(const std::string& text, std::string* error);
  // Reads and parses a file; false with the reason.
  bool Load(const std::string& path, std::string* error);

  const std::vector<Step>& Steps() const { return mSteps; }

private:
  std::vector<Step> mSteps;
  int mButtons = 0; // buttons held after the steps so far
};

} // namespace plughost

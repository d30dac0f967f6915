#pragma once

#include "Host/PlugHost/WindowMessage.h"

namespace plughost
{

// Where a hand following an input script puts the pointer, on a window
// system whose cursor the editor may move. While a button is held an editor
// can lock the cursor: after each drag message it moves the cursor back to
// where the drag began, and the hand's next motion starts from there. So a
// drag step moves the pointer by the script's step from wherever the cursor
// was put back, and every other step goes where the script says. Positions
// are the window's client pixels. [main-thread]
class ScriptedPointer
{
public:
  struct Point
  {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
  };

  // The position for the message (whose x, y are the script's), given where
  // the system's cursor is now. Key messages keep theirs and change nothing.
  Point Place(const WindowMessage& message, Point cursor);

private:
  bool mPressed = false; // a button is down
  Point mCursorAtPress;  // the system's cursor when it went down
  Point mLastScripted;   // the script's previous position
  Point mLastPlaced;     // where the previous message went
};

} // namespace plughost

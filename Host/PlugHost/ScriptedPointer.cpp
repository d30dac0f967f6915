#include "Host/PlugHost/ScriptedPointer.h"

namespace plughost
{

ScriptedPointer::Point ScriptedPointer::Place(const WindowMessage& m, Point cursor)
{
  const Point scripted{m.x, m.y};
  if (m.message == winmsg::kKeyDown || m.message == winmsg::kKeyUp) return scripted;
  const bool down = m.message == winmsg::kLButtonDown || m.message == winmsg::kRButtonDown;
  const bool up = m.message == winmsg::kLButtonUp || m.message == winmsg::kRButtonUp;
  Point placed = scripted;
  if (mPressed && (up || m.message == winmsg::kMouseMove))
  {
    // A cursor that moved since the press was put back by the editor: the hand starts there.
    const Point from = cursor == mCursorAtPress ? mLastPlaced : cursor;
    placed = {from.x + scripted.x - mLastScripted.x, from.y + scripted.y - mLastScripted.y};
  }
  if (down)
  {
    mPressed = true;
    mCursorAtPress = cursor;
  }
  if (up) mPressed = false;
  mLastScripted = scripted;
  mLastPlaced = placed;
  return placed;
}

} // namespace plughost

// Cursor control of IGraphicsWin: position, hiding with locking, warping and system shapes.
// The graphics core keeps the flags and positions; this file moves the system cursor.

#include "IGraphics/Platforms/IGraphicsWin.h"
#include "IGraphics/Platforms/SystemCursorTable.h"

#include <cmath>

namespace igraphics
{

void IGraphicsWin::CursorPositionInPoints(float& x, float& y) const
{
  POINT p{};
  GetCursorPos(&p);
  if (mWnd) ScreenToClient(mWnd, &p);
  const float s = PixelScale();
  x = static_cast<float>(p.x) / s;
  y = static_cast<float>(p.y) / s;
}

void IGraphicsWin::SetCursorHidden(bool hide, bool lock)
{
  // ShowCursor counts: a second hide would need a second show.
  if (hide == mCursorHidden) return;
  if (hide)
  {
    mHiddenCursorX = mCursorX;
    mHiddenCursorY = mCursorY;
    ShowCursor(FALSE);
    mCursorHidden = true;
    mCursorLocked = lock && !mPenInput;
  }
  else
  {
    if (mCursorLocked) WarpCursorTo(mHiddenCursorX, mHiddenCursorY);
    ShowCursor(TRUE);
    mCursorHidden = false;
    mCursorLocked = false;
  }
}

void IGraphicsWin::WarpCursorTo(float x, float y)
{
  // A pen or finger has no cursor to move.
  if (mPenInput) return;
  const float s = PixelScale();
  POINT p{static_cast<LONG>(std::lround(x * s)), static_cast<LONG>(std::lround(y * s))};
  if (mWnd) ClientToScreen(mWnd, &p);
  if (!SetCursorPos(p.x, p.y)) return;
  // Where the system actually put it (clipped to the screen) is what the core remembers.
  GetCursorPos(&p);
  if (mWnd) ScreenToClient(mWnd, &p);
  mCursorX = mHiddenCursorX = static_cast<float>(p.x) / s;
  mCursorY = mHiddenCursorY = static_cast<float>(p.y) / s;
}

CursorShape IGraphicsWin::SetCursorShape(CursorShape shape)
{
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(SystemCursorTable::IdFor(shape))));
  return IGraphics::SetCursorShape(shape);
}

} // namespace igraphics

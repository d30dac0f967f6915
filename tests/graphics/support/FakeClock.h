#pragma once

#include "IGraphics/IClock.h"

namespace igraphics::test
{

// A clock that moves only when told to. Install it with IGraphics::SetClock;
// controls attached to that graphics object read it for their animations.
class FakeClock final : public IClock
{
public:
  explicit FakeClock(double startMs = 1000.0) : mNowMs(startMs) {}
  double NowMs() const override { return mNowMs; }
  void Advance(double ms) { mNowMs += ms; }
  void Set(double ms) { mNowMs = ms; }

private:
  double mNowMs;
};

} // namespace igraphics::test

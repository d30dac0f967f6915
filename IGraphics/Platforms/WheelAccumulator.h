#pragma once

namespace igraphics
{

// Turns raw wheel deltas (120 per notch) into whole notches. Precision
// touchpads send small deltas; the remainder is kept for the next message so
// that two deltas of 60 make one notch instead of two zeros. [main-thread]
class WheelAccumulator
{
public:
  static constexpr int kDeltaPerNotch = 120;

  // Adds a raw delta; returns the whole notches now complete (signed).
  int Add(int rawDelta);
  // The part of a notch carried over, in raw units (|remainder| < 120).
  int Remainder() const { return mRemainder; }
  void Reset() { mRemainder = 0; }

private:
  int mRemainder = 0;
};

} // namespace igraphics

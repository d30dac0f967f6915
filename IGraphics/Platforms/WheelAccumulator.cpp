#include "IGraphics/Platforms/WheelAccumulator.h"

namespace igraphics
{

int WheelAccumulator::Add(int rawDelta)
{
  // The sum stays small: |remainder| < 120 and a message carries 16 bits.
  const long long sum = static_cast<long long>(mRemainder) + rawDelta;
  const long long notches = sum / kDeltaPerNotch; // towards zero: the remainder keeps the sign
  mRemainder = static_cast<int>(sum - notches * kDeltaPerNotch);
  return static_cast<int>(notches);
}

} // namespace igraphics

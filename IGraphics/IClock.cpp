#include "IGraphics/IClock.h"

#include <chrono>

namespace igraphics
{

double MonotonicClock::NowMs() const
{
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

const MonotonicClock& MonotonicClock::Instance()
{
  static const MonotonicClock clock;
  return clock;
}

} // namespace igraphics

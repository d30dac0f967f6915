#pragma once

namespace igraphics
{

// Period of the fallback display timer for `fps` frames per second:
// floor(1000 / fps) ms, but 15 ms when that is under 20 ms (the timer's
// resolution makes shorter periods pointless) and for a rate of 0 or less,
// which would otherwise divide by zero. [any-thread]
int DisplayTimerPeriodMs(int fps);

} // namespace igraphics

#pragma once

namespace igraphics
{

// The one place the graphics engine reads time from: animations and the frame
// timing. Tests install a clock they move by hand. [main-thread]
class IClock
{
public:
  virtual ~IClock() = default;
  // Milliseconds of a monotonic clock; only differences mean anything.
  virtual double NowMs() const = 0;
};

// The process's monotonic clock (std::chrono::steady_clock).
class MonotonicClock final : public IClock
{
public:
  double NowMs() const override;
  // One shared instance; stateless, so any thread may read it.
  static const MonotonicClock& Instance();
};

} // namespace igraphics

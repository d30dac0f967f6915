#pragma once

#include "IGraphics/IControl.h"

#include <array>
#include <string>

namespace igraphics
{

// The frame-rate display: a graph and the average of the last 100 frame times.
// A click cycles the mode: frames per second, milliseconds, percent of the
// editor's frame budget (1 / its frame rate). [main-thread]
class IFPSDisplayControl : public IControl
{
public:
  enum class EMode : int
  {
    FPS = 0,
    Milliseconds = 1,
    Percent = 2
  };

  static constexpr int kNumSamples = 100;

  IFPSDisplayControl(const IRect& bounds, const char* label = "Frame Time");
  ~IFPSDisplayControl() override;

  void OnMouseDown(float x, float y, const IMouseState& mod) override;
  void Draw(IGraphics& g) override;

  // Records one frame time in seconds; the oldest of the 100 drops out.
  void Update(double frameSeconds);
  // Mean of the recorded frame times (seconds); 0 before the first.
  double AverageSeconds() const;
  int NSamples() const { return mCount; }
  EMode GetMode() const { return mMode; }
  // The texts the display shows in its current mode ("60.00 FPS", "16.67 ms").
  std::string PrimaryText() const;
  std::string SecondaryText() const;

private:
  // The graph's value of one sample in the current mode, clamped to its maximum.
  double GraphValue(double seconds, double& maximum) const;
  double FrameBudgetSeconds() const;

  std::string mLabel;
  std::array<double, kNumSamples> mSamples{};
  int mNext = 0;  // where the next sample goes
  int mCount = 0; // samples recorded, up to kNumSamples
  EMode mMode = EMode::FPS;
};

} // namespace igraphics

#include "IGraphics/Controls/IFPSDisplayControl.h"

#include "IGraphics/IGraphics.h"

#include <algorithm>
#include <cstdio>

namespace igraphics
{

namespace
{

std::string Format(const char* format, double value)
{
  char text[64];
  std::snprintf(text, sizeof(text), format, value);
  return text;
}

} // namespace

IFPSDisplayControl::IFPSDisplayControl(const IRect& bounds, const char* label)
    : IControl(bounds), mLabel(label ? label : "")
{
  mText = ITextStyle(12.f, COLOR_BLACK, nullptr, EAlign::Near, EVAlign::Top);
}

IFPSDisplayControl::~IFPSDisplayControl() = default;

void IFPSDisplayControl::OnMouseDown(float, float, const IMouseState&)
{
  mMode = static_cast<EMode>((static_cast<int>(mMode) + 1) % 3);
  SetDirty(false);
}

void IFPSDisplayControl::Update(double frameSeconds)
{
  mSamples[static_cast<std::size_t>(mNext)] = frameSeconds;
  mNext = (mNext + 1) % kNumSamples;
  mCount = std::min(mCount + 1, kNumSamples);
  SetDirty(false);
}

double IFPSDisplayControl::AverageSeconds() const
{
  if (mCount == 0) return 0.0;
  double sum = 0.0;
  for (int i = 0; i < mCount; ++i)
    sum += mSamples[static_cast<std::size_t>(i)];
  return sum / mCount;
}

double IFPSDisplayControl::FrameBudgetSeconds() const
{
  const int fps = mGraphics != nullptr ? mGraphics->FPS() : 60;
  return 1.0 / static_cast<double>(fps > 0 ? fps : 60);
}

std::string IFPSDisplayControl::PrimaryText() const
{
  const double avg = AverageSeconds();
  switch (mMode)
  {
  case EMode::FPS:
    return Format("%.2f FPS", avg > 0.0 ? 1.0 / avg : 0.0);
  case EMode::Milliseconds:
    return Format("%.2f ms", avg * 1000.0);
  case EMode::Percent:
    return Format("%.1f %%", avg / FrameBudgetSeconds() * 100.0);
  }
  return {};
}

std::string IFPSDisplayControl::SecondaryText() const
{
  return mMode == EMode::FPS ? Format("%.2f ms", AverageSeconds() * 1000.0) : std::string();
}

double IFPSDisplayControl::GraphValue(double seconds, double& maximum) const
{
  switch (mMode)
  {
  case EMode::FPS:
    maximum = 80.0;
    return std::min(seconds > 0.0 ? 1.0 / seconds : 0.0, maximum);
  case EMode::Milliseconds:
    maximum = 20.0;
    return std::min(seconds * 1000.0, maximum);
  case EMode::Percent:
    maximum = 100.0;
    return std::min(seconds / FrameBudgetSeconds() * 100.0, maximum);
  }
  maximum = 1.0;
  return 0.0;
}

void IFPSDisplayControl::Draw(IGraphics& g)
{
  g.FillRect(IColor(200, 255, 255, 255), mRECT);

  // Oldest sample on the left, newest on the right.
  if (mCount > 1)
  {
    const float step = mRECT.W() / static_cast<float>(kNumSamples - 1);
    float prevX = 0.f, prevY = 0.f;
    for (int i = 0; i < mCount; ++i)
    {
      const int slot = (mNext - mCount + i + kNumSamples) % kNumSamples;
      double maximum = 1.0;
      const double v = GraphValue(mSamples[static_cast<std::size_t>(slot)], maximum);
      const float x = mRECT.L + step * static_cast<float>(kNumSamples - mCount + i);
      const float y = mRECT.B - mRECT.H() * static_cast<float>(v / maximum);
      if (i > 0) g.StrokeLine(COLOR_RED, prevX, prevY, x, y);
      prevX = x;
      prevY = y;
    }
  }

  const IRect textArea = mRECT.GetPadded(-2.f);
  g.DrawTextIn(mText, mLabel.c_str(), textArea);
  ITextStyle right = mText;
  right.mAlign = EAlign::Far;
  g.DrawTextIn(right, PrimaryText().c_str(), textArea);
  right.mVAlign = EVAlign::Bottom;
  g.DrawTextIn(right, SecondaryText().c_str(), textArea);
  g.StrokeRect(COLOR_BLACK, mRECT);
}

} // namespace igraphics

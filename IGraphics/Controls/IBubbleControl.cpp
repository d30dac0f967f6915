#include "IGraphics/Controls/IBubbleControl.h"

#include "IGraphics/IGraphics.h"

#include <algorithm>

namespace igraphics
{

IBubbleControl::IBubbleControl(const ITextStyle& style, const IColor& fillColour,
                               const IColor& outlineColour, float roundness)
    : IControl(IRect()), mRoundness(roundness), mFillColour(fillColour),
      mOutlineColour(outlineColour)
{
  mText = style;
  mHide = true;
  mIgnoreMouse = true;
  SetOpacity(0.f);
  // A user change of what the bubble shows (re)starts the 200 ms stage.
  SetActionFunction([this](IControl*) { Restart(kFadeMs); });
  // The end of the fade-in starts the hold of at least one second.
  SetAnimationEndActionFunction(
      [this](IControl*)
      {
        if (mState == State::Showing) Restart(kHoldMs);
      });
}

IBubbleControl::~IBubbleControl() = default;

void IBubbleControl::SetOpacity(float opacity)
{
  mOpacity = opacity;
  mBlend.mWeight = opacity;
}

void IBubbleControl::Restart(double durationMs)
{
  SetAnimation([this](IControl*) { Fade(); });
  BeginAnimation(durationMs);
}

void IBubbleControl::Fade()
{
  const double p = GetAnimationFraction();
  if (p <= 1.0)
  {
    if (mState == State::FadingIn)
      SetOpacity(static_cast<float>(p) * kMaxOpacity);
    else if (mState == State::Showing)
      SetOpacity(kMaxOpacity);
    else if (mState == State::FadingOut)
      SetOpacity(static_cast<float>(1.0 - p) * kMaxOpacity);
    return;
  }

  switch (mState)
  {
  case State::FadingIn:
    SetOpacity(kMaxOpacity);
    mState = State::Showing;
    OnAnimationEnd();
    break;
  case State::Showing:
    // Held: look again in 200 ms. Released: fade out over 200 ms.
    if (mGraphics == nullptr || !mGraphics->ControlIsCaptured(mCaller))
    {
      SetOpacity(kMaxOpacity);
      mState = State::FadingOut;
    }
    SetDirty(true, -1);
    break;
  case State::FadingOut:
    SetOpacity(0.f);
    Hide(true);
    mState = State::Hidden;
    mTouchId = 0;
    SetDirty(false, -1);
    OnAnimationEnd();
    break;
  case State::Hidden:
    OnAnimationEnd();
    break;
  }
}

void IBubbleControl::Show(IControl* caller, float x, float y, const char* text,
                          Orientation direction, const IRect& minContent, std::int64_t touchId)
{
  if (mGraphics == nullptr || caller == nullptr) return;
  IGraphics& g = *mGraphics;

  if (mMaxBounds.Empty())
    mMaxBounds = IRect(0.f, 0.f, static_cast<float>(g.Width()), static_cast<float>(g.Height()));
  mDirection = direction;
  mTouchId = touchId;
  mBubbleText = text ? text : "";

  IRect content;
  g.MeasureText(mText, mBubbleText.c_str(), content);
  float contentW = content.W();
  float contentH = content.H();
  if (!minContent.Empty())
  {
    contentW = std::max(contentW, minContent.W());
    contentH = std::max(contentH, minContent.H());
  }
  const float sideMargin = kMargin + kHorizontalExtraMargin;
  const float w = contentW + 2.f * sideMargin;
  const float h = 0.5f * (contentH + 2.f * kMargin);
  const IRect& callerBounds = caller->GetRECT();

  IRect bubble;
  if (direction == Orientation::Horizontal)
  {
    bubble = IRect(x, y - h, x + w, y + h);
    mArrowSide = kArrowLeft;
    if (bubble.R > mMaxBounds.R - sideMargin)
    {
      bubble = bubble.GetTranslated(callerBounds.L - bubble.R, 0.f);
      mArrowSide = kArrowRight;
    }
  }
  else
  {
    bubble = IRect(x - 0.5f * w, y - 2.f * h, x + 0.5f * w, y);
    mArrowSide = kArrowBottom;
    if (bubble.T < mMaxBounds.T)
    {
      bubble = bubble.GetTranslated(0.f, bubble.H() + callerBounds.H());
      mArrowSide = kArrowTop;
    }
  }
  mBubbleRect = bubble;

  // The old place is redrawn too.
  SetTargetAndDrawRECTs(mRECT.Union(bubble));

  if (mState == State::Hidden)
  {
    Hide(false);
    mState = State::FadingIn;
    SetDirty(true, -1);
  }
  else if (mState == State::FadingOut)
  {
    // A new value while fading out shows the bubble again for a full hold.
    SetOpacity(kMaxOpacity);
    mState = State::Showing;
    Restart(kHoldMs);
  }

  if (caller != mCaller)
  {
    SetTargetAndDrawRECTs(bubble);
    g.MarkAllControlsDirty();
  }
  mCaller = caller;
}

void IBubbleControl::PathBody(IGraphics& g, const IRect& inner) const
{
  const float r = mRoundness;
  const float a = kArrowSize;
  const float half = 0.5f * kArrowSize;
  const float midX = inner.MW();
  const float midY = inner.MH();

  // Clockwise from the top-left corner; angles clockwise from 12 o'clock.
  g.PathStartAt(inner.L, inner.T + r);
  g.PathAddArc(inner.L + r, inner.T + r, r, 270.f, 360.f);
  if (mArrowSide == kArrowTop)
  {
    g.PathAddLine(midX - half, inner.T);
    g.PathAddLine(midX, inner.T - a);
    g.PathAddLine(midX + half, inner.T);
  }
  g.PathAddArc(inner.R - r, inner.T + r, r, 0.f, 90.f);
  if (mArrowSide == kArrowRight)
  {
    g.PathAddLine(inner.R, midY - half);
    g.PathAddLine(inner.R + a, midY);
    g.PathAddLine(inner.R, midY + half);
  }
  g.PathAddArc(inner.R - r, inner.B - r, r, 90.f, 180.f);
  if (mArrowSide == kArrowBottom)
  {
    g.PathAddLine(midX + half, inner.B);
    g.PathAddLine(midX, inner.B + a);
    g.PathAddLine(midX - half, inner.B);
  }
  g.PathAddArc(inner.L + r, inner.B - r, r, 180.f, 270.f);
  if (mArrowSide == kArrowLeft)
  {
    g.PathAddLine(inner.L, midY + half);
    g.PathAddLine(inner.L - a, midY);
    g.PathAddLine(inner.L, midY - half);
  }
  g.PathCloseFigure();
}

void IBubbleControl::Draw(IGraphics& g)
{
  const IRect& outer = mBubbleRect;
  const IRect inner(outer.L + kMargin, outer.T + kMargin, outer.R - kMargin, outer.B - kMargin);
  g.FillBoxShadow(inner, outer, 2.f, mRoundness, 10.f, &mBlend);

  PathBody(g, inner);
  IFillSpec fill;
  fill.mPreserve = true; // the outline strokes the same path
  g.PathFillWith(IPatternSpec(mFillColour), fill, &mBlend);
  g.PathStrokeWith(IPatternSpec(mOutlineColour), kOutlineThickness, IStrokeSpec(), &mBlend);

  if (!mBubbleText.empty()) g.BackendDrawText(mText, mBubbleText.c_str(), inner, &mBlend);
}

} // namespace igraphics

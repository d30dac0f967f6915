#pragma once

#include "IGraphics/IControl.h"

#include <cstdint>
#include <string>

namespace igraphics
{

// The value bubble: a rounded box with an arrow pointing at the control whose
// value it shows. It fades in over 200 ms, holds for at least a second, is
// re-checked every 200 ms while its caller is held, and fades out over 200 ms,
// all on the graphics core's clock. It ignores the mouse and is drawn above
// every listed control. [main-thread]
class IBubbleControl : public IControl
{
public:
  enum class State : int
  {
    Hidden = 0,
    FadingIn = 1,
    Showing = 2,
    FadingOut = 3
  };

  // Arrow sides.
  static constexpr int kArrowTop = 0;
  static constexpr int kArrowRight = 1;
  static constexpr int kArrowBottom = 2;
  static constexpr int kArrowLeft = 3;

  static constexpr float kMargin = 10.f;
  static constexpr float kArrowSize = 10.f;
  static constexpr float kMaxOpacity = 0.95f;
  static constexpr float kOutlineThickness = 2.f;
  static constexpr float kHorizontalExtraMargin = 5.f;
  static constexpr double kFadeMs = 200.0;
  static constexpr double kHoldMs = 1000.0;

  explicit IBubbleControl(const ITextStyle& style, const IColor& fillColour = COLOR_WHITE,
                          const IColor& outlineColour = COLOR_BLACK, float roundness = 5.f);
  ~IBubbleControl() override;

  void Draw(IGraphics& g) override;

  // Places the bubble at (x, y) for `caller` with `text` and starts showing
  // it, or keeps it showing. `minContent`, when not empty, is the least size
  // of the text area. Needs the control attached.
  void Show(IControl* caller, float x, float y, const char* text, Orientation direction,
            const IRect& minContent, std::int64_t touchId);

  State GetState() const { return mState; }
  float GetOpacity() const { return mOpacity; }
  const IRect& GetBubbleRect() const { return mBubbleRect; }
  int GetArrowSide() const { return mArrowSide; }
  const char* GetBubbleText() const { return mBubbleText.c_str(); }
  const IControl* GetCaller() const { return mCaller; }
  std::int64_t GetTouchId() const { return mTouchId; }
  Orientation GetDirection() const { return mDirection; }
  const IRect& GetMaxBounds() const { return mMaxBounds; }
  void SetMaxBounds(const IRect& bounds) { mMaxBounds = bounds; }

private:
  // One frame of the fade: the opacity follows the animation fraction; the
  // end of each stage moves to the next.
  void Fade();
  void SetOpacity(float opacity);
  // Starts the fade animation anew for `durationMs`.
  void Restart(double durationMs);
  // The closed outline around `inner` with the arrow on its side.
  void PathBody(IGraphics& g, const IRect& inner) const;

  std::int64_t mTouchId = 0;
  Orientation mDirection = Orientation::Horizontal;
  IRect mMaxBounds;                  // empty: the whole editor
  IRect mBubbleRect;                 // the box with its margins, in editor points
  const IControl* mCaller = nullptr; // identity only; never dereferenced after Show
  int mArrowSide = kArrowLeft;
  std::string mBubbleText;
  float mOpacity = 0.f;
  float mRoundness;
  IColor mFillColour;
  IColor mOutlineColour;
  State mState = State::Hidden;
};

} // namespace igraphics

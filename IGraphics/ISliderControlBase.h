#pragma once

#include "IGraphics/IControl.h"

namespace igraphics
{

// A control whose value follows the pointer along a track equal to its
// bounds; a press jumps to the pointer (unless the parameter is quantised),
// drags and the wheel then move it as a knob would. [main-thread]
class ISliderControlBase : public IControl
{
public:
  ISliderControlBase(const IRect& bounds, int paramIdx = -1,
                     Orientation direction = Orientation::Vertical, double gearing = 1.0);
  ~ISliderControlBase() override;

  void OnMouseDown(float x, float y, const IMouseState& mod) override;
  void OnMouseUp(float x, float y, const IMouseState& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseState& mod) override;
  void OnMouseWheel(float x, float y, const IMouseState& mod, float delta) override;
  void OnResize() override;

  Orientation GetDirection() const { return mDirection; }
  const IRect& GetTrack() const { return mTrack; }
  bool GetMouseDown() const { return mMouseDown; }
  bool GetHideCursorOnDrag() const { return mHideCursorOnDrag; }
  void SetHideCursorOnDrag(bool hide) { mHideCursorOnDrag = hide; }

protected:
  bool mHideCursorOnDrag = true;
  Orientation mDirection;
  IRect mTrack;
  bool mMouseDown = false;
  double mMouseDragValue = 0.0;
  double mGearing;
};

} // namespace igraphics

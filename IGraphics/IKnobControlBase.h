#pragma once

#include "IGraphics/IControl.h"

namespace igraphics
{

// A rotary control dragged along one axis. A drag over the full drag area
// changes the value by 1/gearing; control or shift makes it ten times finer.
// The unquantised drag value persists across drag events, so slow drags still
// cross the steps of a quantised parameter. [main-thread]
class IKnobControlBase : public IControl
{
public:
  IKnobControlBase(const IRect& bounds, int paramIdx = -1,
                   Orientation direction = Orientation::Vertical, double gearing = 4.0);
  ~IKnobControlBase() override;

  void OnMouseDown(float x, float y, const IMouseState& mod) override;
  void OnMouseUp(float x, float y, const IMouseState& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseState& mod) override;
  void OnMouseWheel(float x, float y, const IMouseState& mod, float delta) override;

  // The area a full-length drag spans: the target bounds.
  virtual IRect GetDragArea() const;

  Orientation GetDirection() const { return mDirection; }
  double GetGearing() const { return mGearing; }
  void SetGearing(double gearing) { mGearing = gearing; }
  bool GetHideCursorOnDrag() const { return mHideCursorOnDrag; }
  void SetHideCursorOnDrag(bool hide) { mHideCursorOnDrag = hide; }
  bool GetMouseDown() const { return mMouseDown; }

protected:
  bool mHideCursorOnDrag = true;
  Orientation mDirection;
  double mGearing;
  bool mMouseDown = false;
  double mMouseDragValue = 0.0;
};

} // namespace igraphics

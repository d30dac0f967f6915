#pragma once

#include "IGraphics/IControl.h"

namespace igraphics
{

// A momentary button: a press sets the value to 1 and runs the action
// function, whose animation typically ends by releasing the button to 0.
// Linked to no parameter. [main-thread]
class IButtonControlBase : public IControl
{
public:
  IButtonControlBase(const IRect& bounds, ActionFunction action);
  ~IButtonControlBase() override;

  void OnMouseDown(float x, float y, const IMouseState& mod) override;
  void OnAnimationEnd() override;
};

} // namespace igraphics

#pragma once

#include "IGraphics/IBitmapBase.h"
#include "IGraphics/ISwitchControlBase.h"

namespace igraphics
{

// A switch drawn from a filmstrip. A click advances the value by one frame's step,
// 1/(frames − 1), and wraps to 0 past the last frame. [main-thread]
class IBSwitchControl : public ISwitchControlBase, public IBitmapBase
{
public:
  // Bounds of one frame with its top-left at (x, y).
  IBSwitchControl(float x, float y, const IBitmapRef& bitmap, int paramIdx = -1);
  IBSwitchControl(const IRect& bounds, const IBitmapRef& bitmap, int paramIdx = -1);
  ~IBSwitchControl() override;

  void Draw(IGraphics& g) override;
  void OnScaleChanged() override;
  // The step follows the bitmap's frames, not the linked parameter's states.
  void OnMouseDown(float x, float y, const IMouseState& mod) override;
};

} // namespace igraphics

#pragma once

#include "IGraphics/IBitmapBase.h"
#include "IGraphics/IButtonControlBase.h"

namespace igraphics
{

// A momentary button drawn from a filmstrip: pressed it shows the last frame and runs its
// action, whose animation's end releases it to the first. [main-thread]
class IBButtonControl : public IButtonControlBase, public IBitmapBase
{
public:
  // Bounds of one frame with its top-left at (x, y).
  IBButtonControl(float x, float y, const IBitmapRef& bitmap, ActionFunction action);
  IBButtonControl(const IRect& bounds, const IBitmapRef& bitmap, ActionFunction action);
  ~IBButtonControl() override;

  void Draw(IGraphics& g) override;
  void OnScaleChanged() override;
};

} // namespace igraphics

#pragma once

#include "IGraphics/IBitmapBase.h"
#include "IGraphics/IControl.h"

namespace igraphics
{

// A control that shows the frame of a bitmap matching its value: a plain picture (the editor's
// background) or a filmstrip driven by a parameter. [main-thread]
class IBitmapControl : public IControl, public IBitmapBase
{
public:
  // Bounds of one frame with its top-left at (x, y).
  IBitmapControl(float x, float y, const IBitmapRef& bitmap, int paramIdx = -1);
  IBitmapControl(const IRect& bounds, const IBitmapRef& bitmap, int paramIdx = -1);
  ~IBitmapControl() override;

  void Draw(IGraphics& g) override;
  void OnScaleChanged() override;
};

} // namespace igraphics

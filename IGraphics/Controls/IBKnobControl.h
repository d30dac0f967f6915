#pragma once

#include "IGraphics/IBitmapBase.h"
#include "IGraphics/IKnobControlBase.h"

namespace igraphics
{

// A knob drawn from a filmstrip: the frame matching the value, centred in its bounds; dragged
// and wheeled as IKnobControlBase. [main-thread]
class IBKnobControl : public IKnobControlBase, public IBitmapBase
{
public:
  // Bounds of one frame with its top-left at (x, y).
  IBKnobControl(float x, float y, const IBitmapRef& bitmap, int paramIdx,
                Orientation direction = Orientation::Vertical, double gearing = 4.0);
  IBKnobControl(const IRect& bounds, const IBitmapRef& bitmap, int paramIdx,
                Orientation direction = Orientation::Vertical, double gearing = 4.0);
  ~IBKnobControl() override;

  void Draw(IGraphics& g) override;
  void OnScaleChanged() override;
};

} // namespace igraphics

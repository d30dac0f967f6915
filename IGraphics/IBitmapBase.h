#pragma once

#include "IGraphics/IBitmapRef.h"
#include "IGraphics/IRect.h"

namespace igraphics
{

class IControl;
class IGraphics;

// The mix-in of bitmap controls: the bitmap (often a filmstrip) and the control
// that draws it. Bitmap controls re-point it at the variant for the screen
// scale in OnScaleChanged. [main-thread]
class IBitmapBase
{
public:
  IBitmapBase(const IBitmapRef& bitmap, IControl* owner) : mBitmap(bitmap), mControl(owner) {}
  virtual ~IBitmapBase() = default;
  IBitmapBase(const IBitmapBase&) = delete;
  IBitmapBase& operator=(const IBitmapBase&) = delete;

  const IBitmapRef& GetBitmap() const { return mBitmap; }
  void SetBitmap(const IBitmapRef& bitmap) { mBitmap = bitmap; }
  IControl* GetOwner() const { return mControl; }

  // Bodies in IBitmapBase.cpp.

  // The frame (1..N) that shows normalised value `value`: int(value × (N − 1) + 0.5) + 1, the
  // value clamped to 0..1 first (NaN counts as 0). A single frame is always frame 1.
  int FrameForValue(double value) const;
  // A frame-sized rectangle centred in `bounds`.
  IRect CentredFrameRect(const IRect& bounds) const;
  // Draws the frame for the owner's first value, centred in its bounds, with its blend.
  // Nothing for a missing bitmap.
  void DrawFrameForValue(IGraphics& g) const;
  // Re-points the bitmap at its variant for the screen scale of the owner's graphics.
  void ReloadForScale();

protected:
  IBitmapRef mBitmap;
  IControl* mControl; // not owned: the control this mix-in is part of
};

} // namespace igraphics

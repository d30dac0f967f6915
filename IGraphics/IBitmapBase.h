#pragma once

#include "IGraphics/IBitmapRef.h"

namespace igraphics
{

class IControl;

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

protected:
  IBitmapRef mBitmap;
  IControl* mControl; // not owned: the control this mix-in is part of
};

} // namespace igraphics

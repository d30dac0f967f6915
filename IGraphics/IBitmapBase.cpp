#include "IGraphics/IBitmapBase.h"

#include "IGraphics/IControl.h"
#include "IGraphics/IGraphics.h"

#include <algorithm>
#include <cmath>

namespace igraphics
{

int IBitmapBase::FrameForValue(double value) const
{
  const int frames = mBitmap.N();
  if (frames < 2) return 1;
  // Clamped before the conversion: a NaN or huge value must not reach the int.
  const double v = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
  const int frame = static_cast<int>(v * (frames - 1) + 0.5) + 1;
  return std::clamp(frame, 1, frames);
}

IRect IBitmapBase::CentredFrameRect(const IRect& bounds) const
{
  const float w = static_cast<float>(mBitmap.FW());
  const float h = static_cast<float>(mBitmap.FH());
  const float left = 0.5f * (bounds.L + bounds.R) - 0.5f * w;
  const float top = 0.5f * (bounds.T + bounds.B) - 0.5f * h;
  return IRect(left, top, left + w, top + h);
}

void IBitmapBase::DrawFrameForValue(IGraphics& g) const
{
  // A picture that was not found has no frames to show.
  if (!mBitmap.IsValid() || !mControl) return;
  g.DrawBitmap(mBitmap, CentredFrameRect(mControl->GetRECT()), FrameForValue(mControl->GetValue(0)),
               &mControl->GetBlend());
}

void IBitmapBase::ReloadForScale()
{
  IGraphics* g = mControl ? mControl->GetUI() : nullptr;
  if (!g || mBitmap.GetResourceName().empty()) return;
  const IBitmapRef reloaded = g->ReloadBitmapForScale(mBitmap);
  // Keep the old variant when no variant is found for the new scale.
  if (reloaded.IsValid()) mBitmap = reloaded;
}

} // namespace igraphics

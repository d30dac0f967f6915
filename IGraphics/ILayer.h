#pragma once

#include "IGraphics/APIBitmap.h"
#include "IGraphics/IRect.h"

#include <memory>

namespace igraphics
{

// An offscreen drawing surface of the back end and the editor rectangle it covers.
class ILayer
{
public:
  ILayer(std::unique_ptr<APIBitmap> bitmap, const IRect& bounds)
      : mBitmap(std::move(bitmap)), mBounds(bounds)
  {
  }
  ILayer(const ILayer&) = delete;
  ILayer& operator=(const ILayer&) = delete;

  APIBitmap* GetAPIBitmap() const { return mBitmap.get(); }
  const IRect& Bounds() const { return mBounds; }

private:
  std::unique_ptr<APIBitmap> mBitmap;
  IRect mBounds;
};

using ILayerRef = std::unique_ptr<ILayer>;

} // namespace igraphics

#pragma once

#include "IGraphics/APIBitmap.h"

#include <string>

namespace igraphics
{

// A cheap reference to a cached bitmap, possibly a filmstrip of several frames.
// Width and height are in editor points (pixels divided by the bitmap's own
// scale). The APIBitmap belongs to a cache; an empty reference has none.
struct IBitmapRef
{
  APIBitmap* mAPIBitmap = nullptr;
  int mW = 0;
  int mH = 0;
  int mN = 1;                        // frames, at least 1
  bool mFramesAreHorizontal = false; // false: frames stacked top to bottom
  std::string mResourceName;

  IBitmapRef() = default;
  IBitmapRef(APIBitmap* bitmap, int w, int h, int frames, bool horizontal, const char* name)
      : mAPIBitmap(bitmap), mW(w), mH(h), mN(frames < 1 ? 1 : frames),
        mFramesAreHorizontal(horizontal), mResourceName(name ? name : "")
  {
  }

  bool IsValid() const { return mAPIBitmap != nullptr; }
  int W() const { return mW; }
  int H() const { return mH; }
  int N() const { return mN; }
  // Size of one frame, integer division as the strips are laid out.
  int FW() const { return mFramesAreHorizontal ? mW / mN : mW; }
  int FH() const { return mFramesAreHorizontal ? mH : mH / mN; }
  bool GetFramesAreHorizontal() const { return mFramesAreHorizontal; }
  const std::string& GetResourceName() const { return mResourceName; }
  APIBitmap* GetAPIBitmap() const { return mAPIBitmap; }
  float GetScale() const { return mAPIBitmap ? mAPIBitmap->GetScale() : 1.f; }
  float GetDrawScale() const { return mAPIBitmap ? mAPIBitmap->GetDrawScale() : 1.f; }
};

using IBitmap = IBitmapRef;

} // namespace igraphics

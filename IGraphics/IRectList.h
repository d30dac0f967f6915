#pragma once

#include "IGraphics/IRect.h"

#include <vector>

namespace igraphics
{

// The regions to redraw in one frame, in editor points.
class IRectList
{
public:
  void Add(const IRect& rect) { mRects.push_back(rect); }
  void Clear() { mRects.clear(); }
  int Size() const { return static_cast<int>(mRects.size()); }
  bool Empty() const { return mRects.empty(); }
  const IRect& Get(int i) const { return mRects[static_cast<std::size_t>(i)]; }
  IRect& Get(int i) { return mRects[static_cast<std::size_t>(i)]; }
  void Set(int i, const IRect& rect) { mRects[static_cast<std::size_t>(i)] = rect; }
  void Remove(int i) { mRects.erase(mRects.begin() + i); }
  const std::vector<IRect>& Rects() const { return mRects; }

  // The union of all entries; empty entries are skipped.
  IRect Bounds() const;
  // Every entry grown outward onto the pixel grid of `scale`.
  void PixelSnap(float scale);
  // Rewrites the list so that no two entries' interiors overlap while the union
  // of the entries still covers everything the input covered; then merges
  // neighbours that share a full edge and drops empty entries.
  void RemoveOverlaps();

private:
  // Removes the overlap of rect i with `cut` from rect i, appending the extra
  // pieces needed to keep its coverage.
  void Subtract(int i, const IRect& cut);
  void MergeNeighbours();

  std::vector<IRect> mRects;
};

} // namespace igraphics

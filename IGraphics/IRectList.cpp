#include "IGraphics/IRectList.h"

namespace igraphics
{

IRect IRectList::Bounds() const
{
  IRect bounds;
  for (const IRect& r : mRects)
    bounds = bounds.Union(r);
  return bounds;
}

void IRectList::PixelSnap(float scale)
{
  for (IRect& r : mRects)
    if (!r.Empty()) r = r.GetPixelSnapped(scale);
}

void IRectList::Subtract(int i, const IRect& cut)
{
  const IRect r = Get(i);
  const IRect o = r.Intersect(cut);
  if (o.Empty()) return;
  // Up to four pieces around the overlap: full-width bands above and below it,
  // and the parts left and right of it within its own height. Together they
  // cover exactly r without o, wherever o lies.
  std::vector<IRect> pieces;
  if (o.T > r.T) pieces.emplace_back(r.L, r.T, r.R, o.T);
  if (o.B < r.B) pieces.emplace_back(r.L, o.B, r.R, r.B);
  if (o.L > r.L) pieces.emplace_back(r.L, o.T, o.L, o.B);
  if (o.R < r.R) pieces.emplace_back(o.R, o.T, r.R, o.B);
  if (pieces.empty())
  {
    Set(i, IRect());
    return;
  }
  Set(i, pieces.front());
  for (std::size_t p = 1; p < pieces.size(); ++p)
    Add(pieces[p]);
}

void IRectList::RemoveOverlaps()
{
  // One overlap is resolved per scan and the scan restarts: every step removes
  // a contained rectangle or cuts an overlap out of one side, so the total
  // overlapping area falls and the loop ends.
  bool changed = true;
  while (changed)
  {
    changed = false;
    for (int i = 0; i < Size() && !changed; ++i)
    {
      for (int j = i + 1; j < Size() && !changed; ++j)
      {
        const IRect a = Get(i);
        const IRect b = Get(j);
        if (a.Empty() || b.Empty()) continue;
        if (a.Contains(b))
        {
          Remove(j);
          changed = true;
        }
        else if (b.Contains(a))
        {
          Remove(i);
          changed = true;
        }
        else if (a.Intersects(b))
        {
          const IRect o = a.Intersect(b);
          // Cut the side the overlap spans fully (one clean piece), else the
          // smaller one by area.
          const bool spansA = o.W() == a.W() || o.H() == a.H();
          const bool spansB = o.W() == b.W() || o.H() == b.H();
          if (spansA)
            Subtract(i, b);
          else if (spansB)
            Subtract(j, a);
          else if (b.Area() > a.Area())
            Subtract(i, b);
          else
            Subtract(j, a);
          changed = true;
        }
      }
    }
  }
  MergeNeighbours();
}

void IRectList::MergeNeighbours()
{
  // Empty entries are dropped rather than merged: joined with a real
  // rectangle they would stretch it to the origin.
  for (int i = Size() - 1; i >= 0; --i)
    if (Get(i).Empty() || Get(i).W() <= 0.f || Get(i).H() <= 0.f) Remove(i);

  bool merged = true;
  while (merged)
  {
    merged = false;
    for (int j = 0; j < Size() && !merged; ++j)
    {
      for (int l = j + 1; l < Size() && !merged; ++l)
      {
        const IRect& a = Get(j);
        const IRect& b = Get(l);
        const bool sameColumn = a.L == b.L && a.R == b.R && a.T <= b.B && b.T <= a.B;
        const bool sameRow = a.T == b.T && a.B == b.B && a.L <= b.R && b.L <= a.R;
        if (sameColumn || sameRow)
        {
          Set(l, a.Union(b));
          Remove(j);
          merged = true;
        }
      }
    }
  }
}

} // namespace igraphics

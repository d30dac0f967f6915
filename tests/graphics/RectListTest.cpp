// Dirty-region lists: union, pixel snapping, and the overlap removal that must
// never lose coverage.

#include "IGraphics/IRectList.h"

#include <gtest/gtest.h>

#include <random>

using namespace igraphics;

namespace
{

constexpr int kGrid = 40;

// Number of rectangles of `list` covering the centre of each unit cell.
std::vector<int> CellCoverage(const std::vector<IRect>& rects)
{
  std::vector<int> cover(kGrid * kGrid, 0);
  for (int y = 0; y < kGrid; ++y)
    for (int x = 0; x < kGrid; ++x)
      for (const IRect& r : rects)
        cover[y * kGrid + x] += r.Contains(x + 0.5f, y + 0.5f) ? 1 : 0;
  return cover;
}

void ExpectSameCoverageWithoutOverlap(const std::vector<IRect>& input, const IRectList& output)
{
  const std::vector<int> before = CellCoverage(input);
  const std::vector<int> after = CellCoverage(output.Rects());
  for (int cell = 0; cell < kGrid * kGrid; ++cell)
  {
    ASSERT_EQ(before[cell] > 0, after[cell] > 0) << "cell " << cell % kGrid << "," << cell / kGrid;
    ASSERT_LE(after[cell], 1) << "cell " << cell % kGrid << "," << cell / kGrid;
  }
  for (const IRect& r : output.Rects())
    ASSERT_FALSE(r.Empty());
}

IRectList ListOf(const std::vector<IRect>& rects)
{
  IRectList list;
  for (const IRect& r : rects)
    list.Add(r);
  return list;
}

} // namespace

TEST(RectList, BoundsAndSnappingSkipEmptyEntries)
{
  IRectList list = ListOf({IRect(), IRect(10, 10, 20, 20), IRect(30, 5, 35, 12)});
  EXPECT_EQ(list.Bounds(), IRect(10, 5, 35, 20));

  IRectList dirty = ListOf({IRect(9.25f, 9.25f, 20.75f, 20.75f), IRect()});
  dirty.PixelSnap(2.f);
  EXPECT_EQ(dirty.Get(0), IRect(9, 9, 21, 21));
  EXPECT_TRUE(dirty.Get(1).Empty());
}

TEST(RectList, ContainedAndDuplicateRegionsCollapse)
{
  IRectList list = ListOf({IRect(0, 0, 30, 30), IRect(5, 5, 10, 10), IRect(0, 0, 30, 30)});
  list.RemoveOverlaps();
  ASSERT_EQ(list.Size(), 1);
  EXPECT_EQ(list.Get(0), IRect(0, 0, 30, 30));

  IRectList inner = ListOf({IRect(5, 5, 10, 10), IRect(0, 0, 30, 30)});
  inner.RemoveOverlaps();
  ASSERT_EQ(inner.Size(), 1);
  EXPECT_EQ(inner.Get(0), IRect(0, 0, 30, 30));
}

TEST(RectList, EqualHeightNeighboursMergeIntoOne)
{
  IRectList list = ListOf({IRect(0, 10, 20, 30), IRect(20, 10, 50, 30)});
  list.RemoveOverlaps();
  ASSERT_EQ(list.Size(), 1);
  EXPECT_EQ(list.Get(0), IRect(0, 10, 50, 30));

  IRectList column = ListOf({IRect(5, 0, 15, 10), IRect(5, 10, 15, 25)});
  column.RemoveOverlaps();
  ASSERT_EQ(column.Size(), 1);
  EXPECT_EQ(column.Get(0), IRect(5, 0, 15, 25));
}

TEST(RectList, AnEmptyEntryNeverStretchesARegionToTheOrigin)
{
  IRectList list = ListOf({IRect(), IRect(10, 10, 20, 20)});
  list.RemoveOverlaps();
  ASSERT_EQ(list.Size(), 1);
  EXPECT_EQ(list.Get(0), IRect(10, 10, 20, 20));
}

TEST(RectList, AnOverlapAcrossTheMiddleKeepsBothEnds)
{
  // The second region crosses the first's full height in its middle: cutting
  // the first back to one side would leave {25, 0, 40, 10} undrawn.
  const std::vector<IRect> input = {IRect(0, 0, 40, 10), IRect(15, 0, 25, 20)};
  IRectList list = ListOf(input);
  list.RemoveOverlaps();
  ExpectSameCoverageWithoutOverlap(input, list);
}

TEST(RectList, ACrossOfTwoBarsIsCoveredExactlyOnce)
{
  const std::vector<IRect> input = {IRect(0, 15, 40, 25), IRect(15, 0, 25, 40)};
  IRectList list = ListOf(input);
  list.RemoveOverlaps();
  ExpectSameCoverageWithoutOverlap(input, list);
}

TEST(RectList, RandomListsKeepTheirCoverageWithDisjointInteriors)
{
  std::mt19937 rng(20261210);
  std::uniform_int_distribution<int> coord(0, kGrid);
  std::uniform_int_distribution<int> count(1, 9);
  std::uniform_int_distribution<int> emptyChance(0, 9);
  for (int trial = 0; trial < 400; ++trial)
  {
    std::vector<IRect> input;
    const int n = count(rng);
    for (int i = 0; i < n; ++i)
    {
      if (emptyChance(rng) == 0)
      {
        input.emplace_back();
        continue;
      }
      int l = coord(rng), r = coord(rng), t = coord(rng), b = coord(rng);
      if (l > r) std::swap(l, r);
      if (t > b) std::swap(t, b);
      if (l == r) r = std::min(r + 1, kGrid), l = r - 1;
      if (t == b) b = std::min(b + 1, kGrid), t = b - 1;
      input.emplace_back(float(l), float(t), float(r), float(b));
    }
    IRectList list = ListOf(input);
    list.RemoveOverlaps();
    SCOPED_TRACE("trial " + std::to_string(trial));
    ExpectSameCoverageWithoutOverlap(input, list);
  }
}

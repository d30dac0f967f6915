#include "IGraphics/Platforms/SystemCursorTable.h"

#include <gtest/gtest.h>

namespace igraphics
{
namespace
{

TEST(SystemCursorTable, UnknownShapesShowTheArrow)
{
  EXPECT_EQ(SystemCursorTable::IdFor(static_cast<CursorShape>(42)), 32512);
  EXPECT_EQ(SystemCursorTable::IdFor(static_cast<CursorShape>(-1)), 32512);
  EXPECT_EQ(SystemCursorTable::IdFor(static_cast<CursorShape>(14)), 32512);
}

TEST(SystemCursorTable, ShapesAfterTheGapInTheSystemIdsStillMatch)
{
  // The system's ids jump from 32516 to 32642 and skip 32647.
  EXPECT_EQ(SystemCursorTable::IdFor(CursorShape::UPARROW), 32516);
  EXPECT_EQ(SystemCursorTable::IdFor(CursorShape::SIZENWSE), 32642);
  EXPECT_EQ(SystemCursorTable::IdFor(CursorShape::SIZEALL), 32646);
  EXPECT_EQ(SystemCursorTable::IdFor(CursorShape::INO), 32648);
  EXPECT_EQ(SystemCursorTable::IdFor(CursorShape::HELP), 32651);
}

} // namespace
} // namespace igraphics

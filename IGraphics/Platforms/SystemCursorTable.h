#pragma once

#include "IGraphics/IGraphicsStructs.h"

namespace igraphics
{

// The system cursor each CursorShape shows on Windows, as the numeric resource id that
// LoadCursor takes (IDC_ARROW is 32512). [any-thread]
class SystemCursorTable
{
public:
  static constexpr int kArrowId = 32512;

  // The id for `shape`; the arrow for any value outside the shapes.
  static int IdFor(CursorShape shape);
};

} // namespace igraphics

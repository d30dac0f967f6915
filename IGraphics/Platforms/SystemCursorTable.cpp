#include "IGraphics/Platforms/SystemCursorTable.h"

#include <array>

namespace igraphics
{

int SystemCursorTable::IdFor(CursorShape shape)
{
  // Indexed by CursorShape; the system's ids are not contiguous.
  static constexpr std::array<int, 14> kIds = {
      kArrowId, // ARROW
      32513,    // IBEAM
      32514,    // WAIT
      32515,    // CROSS
      32516,    // UPARROW
      32642,    // SIZENWSE
      32643,    // SIZENESW
      32644,    // SIZEWE
      32645,    // SIZENS
      32646,    // SIZEALL
      32648,    // INO
      32649,    // HAND
      32650,    // APPSTARTING
      32651     // HELP
  };
  const int index = static_cast<int>(shape);
  if (index < 0 || index >= static_cast<int>(kIds.size())) return kArrowId;
  return kIds[static_cast<std::size_t>(index)];
}

} // namespace igraphics

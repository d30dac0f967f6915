#include "IPlug/IPlugVersion.h"

#include <cstdio>

namespace iplug
{

void VersionText(int packed, char* out, std::size_t capacity) noexcept
{
  if (out == nullptr || capacity == 0) return;
  std::snprintf(out, capacity, "v%d.%d.%d", VersionMajor(packed), VersionMinor(packed),
                VersionBugFix(packed));
}

} // namespace iplug

#include "IGraphics/ResourceCache.h"

#include <cstdio>

namespace igraphics
{

std::string ResourceCacheKey(std::string_view name, double scale)
{
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, "-%.1fx", scale);
  return std::string(name) + suffix;
}

std::uint64_t Fnv1a64(std::string_view text)
{
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : text)
  {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ull;
  }
  return hash;
}

} // namespace igraphics

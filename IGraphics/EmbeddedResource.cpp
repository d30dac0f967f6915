#include "IGraphics/EmbeddedResource.h"

#include <algorithm>

namespace igraphics
{

namespace
{

char FoldCase(char c)
{
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

const EmbeddedResource* FindEmbeddedResource(const EmbeddedResourceTable& table,
                                             std::string_view storedName, std::string_view type)
{
  for (const EmbeddedResource& resource : table.entries)
  {
    if (SameIgnoringAsciiCase(resource.storedName, storedName) &&
        SameIgnoringAsciiCase(resource.type, type))
      return &resource;
  }
  return nullptr;
}

} // namespace igraphics

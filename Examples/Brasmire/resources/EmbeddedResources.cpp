#include "EmbeddedResources.h"

#include <algorithm>

namespace igraphics
{

namespace
{

// Resource names are plain ASCII; locale-dependent case folding would be wrong here.
char FoldCase(char c)
{
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

} // namespace

const EmbeddedResource* FindEmbeddedResource(std::string_view storedName, std::string_view type)
{
  for (const EmbeddedResource& resource : EmbeddedResources())
  {
    if (SameIgnoringCase(resource.storedName, storedName) && SameIgnoringCase(resource.type, type))
      return &resource;
  }
  return nullptr;
}

} // namespace igraphics

#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace igraphics
{

// One resource compiled into the module. Builds without a platform resource table carry the
// product's files this way, under the same types and stored names as the Windows resource
// script: upper case, with the double quotes part of the name (for example "BG@2X.PNG" with
// its quotes, type PNG).
struct EmbeddedResource
{
  const char* type;
  const char* storedName;
  const unsigned char* data;
  std::size_t size;
};

// A module's embedded resources. Where there is no platform resource table, the address of the
// module's table is the module handle the resource functions take.
struct EmbeddedResourceTable
{
  std::span<const EmbeddedResource> entries;
};

// The resource whose stored name (quotes included) and type match without regard to case,
// as the Windows resource functions match them; null when there is none. [any-thread]
const EmbeddedResource* FindEmbeddedResource(const EmbeddedResourceTable& table,
                                             std::string_view storedName, std::string_view type);

// Resource names are plain ASCII; locale-dependent case folding would be wrong here.
// [any-thread]
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace igraphics

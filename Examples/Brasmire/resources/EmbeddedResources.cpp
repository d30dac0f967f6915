#include "EmbeddedResources.h"

#include "Examples/Brasmire/resources/ResourceModule.h"

namespace igraphics
{

namespace
{

const EmbeddedResourceTable& ProductTable()
{
  static const EmbeddedResourceTable table{EmbeddedResources()};
  return table;
}

} // namespace

const EmbeddedResource* FindEmbeddedResource(std::string_view storedName, std::string_view type)
{
  return FindEmbeddedResource(ProductTable(), storedName, type);
}

} // namespace igraphics

namespace brasmire
{

void* ResourceModuleHandle()
{
  // The resource functions only read through the handle.
  return const_cast<igraphics::EmbeddedResourceTable*>(&igraphics::ProductTable());
}

} // namespace brasmire

#pragma once

#include "IGraphics/EmbeddedResource.h"

#include <span>
#include <string_view>

namespace igraphics
{

// Every embedded resource of the product, in a fixed order. [any-thread]
std::span<const EmbeddedResource> EmbeddedResources();

// The product's resource whose stored name (quotes included) and type match without regard
// to case; null when there is none. [any-thread]
const EmbeddedResource* FindEmbeddedResource(std::string_view storedName, std::string_view type);

} // namespace igraphics

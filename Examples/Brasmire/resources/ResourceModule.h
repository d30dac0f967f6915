#pragma once

namespace brasmire
{

// The module handle under which the resource functions find the product's pictures and font:
// on Windows the handle of the module holding this code, elsewhere the address of the embedded
// resource table. [any-thread]
void* ResourceModuleHandle();

} // namespace brasmire

#pragma once

namespace igraphics
{

// The screen scale for a window's dots per inch: dpi / 96, at least 1. A
// failed query answers 0 dpi, which counts as 96; below 96 dpi the editor
// would shrink under its designed size, and truncated to a whole number for
// opening it would become 0. [any-thread]
float ScreenScaleFromDpi(unsigned dpi);

} // namespace igraphics

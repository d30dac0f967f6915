#pragma once

namespace igraphics
{

// A reference to a parsed vector image. No parser exists yet, so every reference is empty and
// nothing draws one.
struct ISVG
{
  const void* mImage = nullptr; // the parsed image; owned by the vector-image cache

  bool IsValid() const { return mImage != nullptr; }
};

} // namespace igraphics

#pragma once

#include "Host/Validator/EditorDriver.h"

#include <cstdint>

namespace plughost
{

// Where two pictures of the same size differ: the pixels whose RGBA bytes
// differ, and the smallest rectangle holding them. [main-thread]
struct PictureDifference
{
  bool sameSize = false;
  std::int64_t pixels = 0; // differing pixels (0 when the sizes differ)
  std::int32_t left = 0, top = 0, right = 0, bottom = 0; // right and bottom exclusive

  static PictureDifference Between(const EditorDriver::Picture& a, const EditorDriver::Picture& b);
  float CentreX() const { return 0.5f * static_cast<float>(left + right); }
  float CentreY() const { return 0.5f * static_cast<float>(top + bottom); }
};

// The mean of each RGBA channel over a picture, 0..255; zeros when empty.
struct PictureMean
{
  double channel[4] = {0, 0, 0, 0};
  static PictureMean Of(const EditorDriver::Picture& picture);
};

} // namespace plughost

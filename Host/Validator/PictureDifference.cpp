#include "Host/Validator/PictureDifference.h"

#include <algorithm>
#include <cstring>

namespace plughost
{

PictureDifference PictureDifference::Between(const EditorDriver::Picture& a,
                                             const EditorDriver::Picture& b)
{
  PictureDifference d;
  const std::size_t bytes = static_cast<std::size_t>(std::max(0, a.width)) *
                            static_cast<std::size_t>(std::max(0, a.height)) * 4;
  d.sameSize = a.width == b.width && a.height == b.height && a.rgba.size() == bytes &&
               b.rgba.size() == bytes;
  if (!d.sameSize) return d;
  d.left = a.width;
  d.top = a.height;
  for (std::int32_t y = 0; y < a.height; ++y)
    for (std::int32_t x = 0; x < a.width; ++x)
    {
      const std::size_t at = (static_cast<std::size_t>(y) * a.width + x) * 4;
      if (std::memcmp(&a.rgba[at], &b.rgba[at], 4) == 0) continue;
      ++d.pixels;
      d.left = std::min(d.left, x);
      d.top = std::min(d.top, y);
      d.right = std::max(d.right, x + 1);
      d.bottom = std::max(d.bottom, y + 1);
    }
  if (d.pixels == 0) d.left = d.top = 0;
  return d;
}

PictureMean PictureMean::Of(const EditorDriver::Picture& picture)
{
  PictureMean mean;
  const std::size_t pixels = picture.rgba.size() / 4;
  if (pixels == 0) return mean;
  double sum[4] = {0, 0, 0, 0};
  for (std::size_t i = 0; i < pixels * 4; ++i)
    sum[i % 4] += picture.rgba[i];
  for (int c = 0; c < 4; ++c)
    mean.channel[c] = sum[c] / static_cast<double>(pixels);
  return mean;
}

} // namespace plughost

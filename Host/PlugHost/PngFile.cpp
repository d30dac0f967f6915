#include "Host/PlugHost/PngFile.h"

#include "Host/PlugHost/AtomicFileWriter.h"

#include <stb_image_write.h>

namespace plughost
{

bool WritePngFile(const std::string& path, const RgbaImage& image, std::string* error)
{
  const std::size_t bytes =
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
  if (image.width <= 0 || image.height <= 0 || image.rgba.size() != bytes)
  {
    *error = "no picture to write";
    return false;
  }
  std::vector<std::uint8_t> png;
  const auto append = [](void* context, void* data, int size)
  {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* first = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), first, first + size);
  };
  if (!stbi_write_png_to_func(append, &png, image.width, image.height, 4, image.rgba.data(),
                              image.width * 4))
  {
    *error = "cannot encode the picture";
    return false;
  }
  return AtomicFileWriter::WriteWhole(path, png.data(), png.size(), error);
}

} // namespace plughost

#include "Canvas.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace brasmire::skin
{

Canvas::Canvas(int widthPixels, int heightPixels, double pixelsPerPoint)
    : mWidthPixels(widthPixels), mHeightPixels(heightPixels),
      mSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, widthPixels, heightPixels)),
      mContext(cairo_create(mSurface))
{
  cairo_scale(mContext, pixelsPerPoint, pixelsPerPoint);
  cairo_set_antialias(mContext, CAIRO_ANTIALIAS_GOOD);
}

Canvas::~Canvas()
{
  cairo_destroy(mContext);
  cairo_surface_destroy(mSurface);
}

namespace
{

struct FileCloser
{
  void operator()(FILE* f) const { std::fclose(f); }
};

// Cairo keeps premultiplied native-endian ARGB; PNG wants straight RGBA bytes.
void StraightRgbaRow(const std::uint8_t* row, int width, std::uint8_t* out)
{
  for (int x = 0; x < width; ++x)
  {
    std::uint32_t pixel;
    std::memcpy(&pixel, row + x * 4, 4);
    const std::uint32_t a = pixel >> 24;
    std::uint32_t rgb[3] = {(pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff};
    for (int c = 0; c < 3; ++c)
    {
      const std::uint32_t v = a == 0 ? 0 : (rgb[c] * 255 + a / 2) / a;
      out[x * 4 + c] = static_cast<std::uint8_t>(v > 255 ? 255 : v);
    }
    out[x * 4 + 3] = static_cast<std::uint8_t>(a);
  }
}

} // namespace

namespace
{

// Only trivially destructible locals here: libpng reports errors with longjmp.
bool EncodePng(FILE* file, int width, int height, png_bytep* rows)
{
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info)
  {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png)))
  {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 9);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
               PNG_FILTER_TYPE_BASE);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

} // namespace

bool Canvas::WritePng(const std::string& path, std::string& error) const
{
  cairo_surface_flush(mSurface);
  const std::uint8_t* data = cairo_image_surface_get_data(mSurface);
  const int stride = cairo_image_surface_get_stride(mSurface);
  const size_t rowBytes = static_cast<size_t>(mWidthPixels) * 4;
  std::vector<std::uint8_t> pixels(rowBytes * static_cast<size_t>(mHeightPixels));
  std::vector<png_bytep> rows(static_cast<size_t>(mHeightPixels));
  for (int y = 0; y < mHeightPixels; ++y)
  {
    rows[y] = pixels.data() + rowBytes * static_cast<size_t>(y);
    StraightRgbaRow(data + static_cast<size_t>(y) * stride, mWidthPixels, rows[y]);
  }

  FILE* raw = std::fopen(path.c_str(), "wb");
  if (!raw)
  {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  std::unique_ptr<FILE, FileCloser> file(raw);
  if (!EncodePng(file.get(), mWidthPixels, mHeightPixels, rows.data()))
  {
    error = "cannot encode " + path;
    return false;
  }
  if (std::fflush(file.get()) != 0 || std::ferror(file.get()))
  {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

} // namespace brasmire::skin

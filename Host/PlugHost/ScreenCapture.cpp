#include "Host/PlugHost/ScreenCapture.h"

#include <memory>

namespace plughost
{

namespace
{

struct ScreenDcRelease
{
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct MemoryDcDelete
{
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct BitmapDelete
{
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcRelease>;
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDelete>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDelete>;

std::string Describe(const RECT& r)
{
  return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top) + " at (" +
         std::to_string(r.left) + ", " + std::to_string(r.top) + ")";
}

} // namespace

bool ScreenCapture::Window(HWND window, RgbaImage* image, std::string* error)
{
  RECT area{};
  if (!IsWindowVisible(window) || !GetWindowRect(window, &area) || area.right <= area.left ||
      area.bottom <= area.top)
  {
    *error = "the editor window is not shown";
    return false;
  }
  const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  if (area.left < screen.left || area.top < screen.top || area.right > screen.right ||
      area.bottom > screen.bottom)
  {
    *error = "the editor window (" + Describe(area) + " pixels) does not fit on the screen (" +
             Describe(screen) + ")";
    return false;
  }
  const int w = area.right - area.left;
  const int h = area.bottom - area.top;
  const ScreenDc screenDc(GetDC(nullptr));
  const MemoryDc memoryDc(screenDc ? CreateCompatibleDC(screenDc.get()) : nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h; // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const Bitmap bitmap(
      memoryDc ? CreateDIBSection(memoryDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)
               : nullptr);
  if (!bitmap || bits == nullptr)
  {
    *error = "cannot make a picture of " + Describe(area) + " pixels";
    return false;
  }
  const HGDIOBJ previous = SelectObject(memoryDc.get(), bitmap.get());
  const BOOL copied =
      BitBlt(memoryDc.get(), 0, 0, w, h, screenDc.get(), area.left, area.top, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  SelectObject(memoryDc.get(), previous);
  if (!copied)
  {
    *error = "cannot read the screen";
    return false;
  }
  // BGRX rows to opaque RGBA.
  const auto* bgrx = static_cast<const std::uint8_t*>(bits);
  image->width = w;
  image->height = h;
  image->rgba.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
  for (std::size_t i = 0; i < image->rgba.size(); i += 4)
  {
    image->rgba[i] = bgrx[i + 2];
    image->rgba[i + 1] = bgrx[i + 1];
    image->rgba[i + 2] = bgrx[i];
    image->rgba[i + 3] = 255;
  }
  return true;
}

} // namespace plughost

#include "IGraphics/Platforms/WinFontCaches.h"

namespace igraphics
{

WinFontCaches::User::User()
{
  MemoryFonts().Retain();
  TextEntryFonts().Retain();
}

WinFontCaches::User::~User()
{
  // The last editor's release empties each cache with deletion.
  TextEntryFonts().Release();
  MemoryFonts().Release();
}

ResourceCache<WinFontCaches::MemoryFontResource>& WinFontCaches::MemoryFonts()
{
  static ResourceCache<MemoryFontResource> cache;
  return cache;
}

std::mutex& WinFontCaches::MemoryFontLock()
{
  static std::mutex lock;
  return lock;
}

ResourceCache<WinFontCaches::GdiFont>& WinFontCaches::TextEntryFonts()
{
  static ResourceCache<GdiFont> cache;
  return cache;
}

std::mutex& WinFontCaches::TextEntryFontLock()
{
  static std::mutex lock;
  return lock;
}

} // namespace igraphics

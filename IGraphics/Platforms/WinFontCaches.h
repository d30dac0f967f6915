#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "IGraphics/ResourceCache.h"

#include <mutex>

namespace igraphics
{

// The two process-wide font caches of the Windows platform layer, shared by every editor of
// the process: the private memory fonts registered with GDI, and the GDI fonts the native
// text entry copies at its size. Each editor holds a `User` while it lives; when the last one
// goes, both caches are emptied and what they own released. [any-thread]
class WinFontCaches
{
public:
  // A font registered from bytes with AddFontMemResourceEx; removed again with the entry.
  class MemoryFontResource
  {
  public:
    explicit MemoryFontResource(HANDLE handle) : mHandle(handle) {}
    ~MemoryFontResource() { RemoveFontMemResourceEx(mHandle); }
    MemoryFontResource(const MemoryFontResource&) = delete;
    MemoryFontResource& operator=(const MemoryFontResource&) = delete;

  private:
    HANDLE mHandle;
  };

  // An owned GDI font.
  class GdiFont
  {
  public:
    explicit GdiFont(HFONT font) : mFont(font) {}
    ~GdiFont() { DeleteObject(mFont); }
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;
    HFONT Handle() const { return mFont; }

  private:
    HFONT mFont;
  };

  // Keeps both caches alive for one editor. [main-thread]
  class User
  {
  public:
    User();
    ~User();
    User(const User&) = delete;
    User& operator=(const User&) = delete;
  };

  // Memory fonts by font id at scale 1. Registering one holds MemoryFontLock() for the whole
  // load, so two editors never register the same id twice.
  static ResourceCache<MemoryFontResource>& MemoryFonts();
  static std::mutex& MemoryFontLock();
  // Text-entry fonts by font id at scale 1, guarded by TextEntryFontLock() between the
  // lookup and the copy made from them.
  static ResourceCache<GdiFont>& TextEntryFonts();
  static std::mutex& TextEntryFontLock();
};

} // namespace igraphics

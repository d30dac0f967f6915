// IGraphics: loading bitmaps, fonts and vector images by resource name.

#include "IGraphics/IGraphics.h"

#include "IGraphics/Controls/IBitmapControl.h"
#include "IGraphics/MemoryFont.h"
#include "IGraphics/ResourceLookup.h"
#include "IPlug/ByteChunk.h"
#include "IPlug/FileUtf8.h"
#include "IPlug/IPlugLogger.h"

#include <cmath>
#include <string>

namespace igraphics
{

namespace
{

// Font files larger than this are refused unread.
constexpr int kMaxFontFileBytes = 64 << 20;

// The text after the last "." of the name, or the whole name when it has none.
std::string ExtensionOf(const char* name)
{
  const std::string text(name);
  const std::size_t dot = text.find_last_of('.');
  return dot == std::string::npos ? text : text.substr(dot + 1);
}

IBitmapRef MakeRef(APIBitmap* bitmap, int frames, bool horizontal, const char* name)
{
  const float scale = bitmap->GetScale();
  return IBitmapRef(bitmap, static_cast<int>(bitmap->GetWidth() / scale),
                    static_cast<int>(bitmap->GetHeight() / scale), frames, horizontal, name);
}

int ScreenTargetScale(float screenScale)
{
  return static_cast<int>(std::ceil(screenScale));
}

} // namespace

ResourceCache<APIBitmap>& IGraphics::SharedBitmapCache()
{
  static ResourceCache<APIBitmap> cache;
  return cache;
}

IBitmapRef IGraphics::FetchBitmapThroughCache(ResourceCache<APIBitmap>& cache, const char* name,
                                              int frames, bool horizontal, int targetScale)
{
  if (!name || !*name) return IBitmapRef();
  if (targetScale == 0) targetScale = ScreenTargetScale(mScreenScale);

  if (APIBitmap* cached = cache.Find(name, targetScale))
    return MakeRef(cached, frames, horizontal, name);

  const std::string extension = ExtensionOf(name);
  std::string location;
  int foundScale = 0;
  const EResourceLocation found = FindScaledImage(name, extension.c_str(), location, targetScale,
                                                  foundScale, LibraryInstance());
  if (found == EResourceLocation::kNotFound)
  {
    // A bitmap that came from memory under this name may exist at another scale.
    for (int scale = targetScale; scale > 0; scale = NextSearchScale(targetScale, scale))
      if (APIBitmap* cached = cache.Find(name, scale))
        return MakeRef(cached, frames, horizontal, name);
    iplug::LogTrace(__FUNCTION__, __LINE__, "no picture %s", name);
    return IBitmapRef();
  }
  if (!IsLoadableImageType(extension.c_str())) return IBitmapRef();

  // The variant found may be cached already under its own scale (at screen scale 1 every
  // @2x picture is): loading it again would decode and upload it once per request.
  APIBitmap* bitmap = cache.Find(name, foundScale);
  if (!bitmap)
  {
    std::unique_ptr<APIBitmap> loaded =
        BackendBitmapFromLocation(location.c_str(), static_cast<float>(foundScale),
                                  static_cast<int>(found), extension.c_str());
    if (!loaded || loaded->GetWidth() <= 0 || loaded->GetHeight() <= 0)
    {
      iplug::LogTrace(__FUNCTION__, __LINE__, "cannot load %s", location.c_str());
      return IBitmapRef();
    }
    bitmap = cache.Add(name, foundScale, std::move(loaded));
  }
  return MakeRef(bitmap, frames, horizontal, name);
}

IBitmapRef IGraphics::FetchBitmap(const char* name, int frames, bool horizontal, int targetScale)
{
  return FetchBitmapThroughCache(SharedBitmapCache(), name, frames, horizontal, targetScale);
}

IBitmapRef IGraphics::ReloadBitmapForScale(const IBitmapRef& bitmap)
{
  if (bitmap.GetResourceName().empty()) return bitmap;
  return FetchBitmap(bitmap.GetResourceName().c_str(), bitmap.N(), bitmap.GetFramesAreHorizontal(),
                     ScreenTargetScale(mScreenScale));
}

void IGraphics::AddBackground(const char* resourceName)
{
  const IBitmapRef bitmap = FetchBitmap(resourceName, 1, false, 0);
  auto background = std::make_unique<IBitmapControl>(
      IRect(0.f, 0.f, static_cast<float>(bitmap.FW()), static_cast<float>(bitmap.FH())), bitmap);
  AttachBackground(std::move(background));
}

// Fonts -------------------------------------------------------------------------------

bool IGraphics::LoadFont(const char* fontId, const char* familyName, const char* style)
{
  if (!fontId || !familyName || !style) return false;
  int styleIndex = 0;
  if (std::string(style) == "Bold")
    styleIndex = 1;
  else if (std::string(style) == "Italic")
    styleIndex = 2;
  std::unique_ptr<PlatformFont> font = MakePlatformFont(fontId, familyName, styleIndex);
  if (!font || !RegisterRendererFont(fontId, *font)) return false;
  mPlatformFonts.Add(fontId, 1.0, std::move(font));
  return true;
}

bool IGraphics::LoadFont(const char* fontId, const char* fileName)
{
  if (!fontId || !fileName) return false;
  std::unique_ptr<PlatformFont> font = MakePlatformFont(fontId, fileName);
  if (!font || !RegisterRendererFont(fontId, *font))
  {
    iplug::LogTrace(__FUNCTION__, __LINE__, "cannot load font %s", fileName);
    return false;
  }
  mPlatformFonts.Add(fontId, 1.0, std::move(font));
  return true;
}

std::unique_ptr<PlatformFont> IGraphics::MakePlatformFont(const char* fontId, const void* bytes,
                                                          int length)
{
  (void)fontId;
  if (!bytes || length <= 0) return nullptr;
  auto font = std::make_unique<MemoryFont>(
      std::span(static_cast<const std::uint8_t*>(bytes), static_cast<std::size_t>(length)));
  if (!font->IsUsable()) return nullptr;
  return font;
}

std::unique_ptr<PlatformFont> IGraphics::MakePlatformFont(const char* fontId,
                                                          const char* fileOrResourceName)
{
  std::string location;
  switch (ResolveResource(fileOrResourceName, "ttf", location, LibraryInstance()))
  {
  case EResourceLocation::kWinBinary:
  {
    const std::span<const std::uint8_t> bytes =
        ReadModuleResource(location.c_str(), "ttf", LibraryInstance());
    return MakePlatformFont(fontId, bytes.data(), static_cast<int>(bytes.size()));
  }
  case EResourceLocation::kAbsolutePath:
  {
    iplug::ByteChunk file;
    if (!iplug::ReadFileUtf8(location.c_str(), file, kMaxFontFileBytes)) return nullptr;
    return MakePlatformFont(fontId, file.GetData(), file.Size());
  }
  case EResourceLocation::kNotFound:
    break;
  }
  return nullptr;
}

// Vector images ----------------------------------------------------------------------

ISVG IGraphics::LoadVectorImage(const char* name, const char* units, float dpi)
{
  (void)units;
  (void)dpi;
  iplug::LogTrace(__FUNCTION__, __LINE__, "no vector image parser for %s", name ? name : "");
  return ISVG();
}

ISVG IGraphics::LoadVectorImage(const char* name, const void* data, int size, const char* units,
                                float dpi)
{
  (void)data;
  (void)size;
  (void)units;
  (void)dpi;
  iplug::LogTrace(__FUNCTION__, __LINE__, "no vector image parser for %s", name ? name : "");
  return ISVG();
}

} // namespace igraphics

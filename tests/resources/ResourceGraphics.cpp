#include "ResourceGraphics.h"

#include "Examples/Brasmire/resources/ResourceModule.h"
#include "IGraphics/FontInfo.h"
#include "IGraphics/ResourceLookup.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace igraphics::test
{

namespace
{

// Width and height from a PNG's signature and IHDR chunk; false when the bytes are no PNG.
bool PngSize(std::span<const std::uint8_t> bytes, int& width, int& height)
{
  static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
  if (bytes.size() < 24 || !std::equal(signature, signature + 8, bytes.begin())) return false;
  if (!std::equal(bytes.begin() + 12, bytes.begin() + 16, "IHDR")) return false;
  const auto u32 = [&](std::size_t at)
  {
    return static_cast<int>(bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 |
                            bytes[at + 3]);
  };
  width = u32(16);
  height = u32(20);
  return width > 0 && height > 0;
}

} // namespace

ResourceGraphics::ResourceGraphics(iplug::IGEditorDelegate& dlg, int w, int h, int fps,
                                   float drawScale)
    : RecordingGraphics(dlg, w, h, fps, drawScale)
{
  SetLibraryInstance(brasmire::ResourceModuleHandle());
}

int ResourceGraphics::LoadCount(const std::string& location) const
{
  const auto it = mLoads.find(location);
  return it == mLoads.end() ? 0 : it->second;
}

int ResourceGraphics::TotalLoads() const
{
  int total = 0;
  for (const auto& entry : mLoads)
    total += entry.second;
  return total;
}

IBitmapRef ResourceGraphics::FetchBitmap(const char* name, int frames, bool horizontal,
                                         int targetScale)
{
  return IGraphics::FetchBitmap(name, frames, horizontal, targetScale);
}

bool ResourceGraphics::LoadFont(const char* fontId, const char* fileName)
{
  return IGraphics::LoadFont(fontId, fileName);
}

std::unique_ptr<APIBitmap> ResourceGraphics::BackendBitmapFromLocation(const char* pathOrResource,
                                                                       float scale, int location,
                                                                       const char* extension)
{
  std::vector<std::uint8_t> file;
  std::span<const std::uint8_t> bytes;
  if (location == static_cast<int>(EResourceLocation::kWinBinary))
    bytes = ReadModuleResource(pathOrResource, extension, LibraryInstance());
  else if (location == static_cast<int>(EResourceLocation::kAbsolutePath))
  {
    std::ifstream in(std::filesystem::path(reinterpret_cast<const char8_t*>(pathOrResource)),
                     std::ios::binary);
    file.assign(std::istreambuf_iterator<char>(in), {});
    bytes = file;
  }
  int width = 0;
  int height = 0;
  if (!PngSize(bytes, width, height)) return nullptr;
  ++mLoads[pathOrResource];
  return std::make_unique<FakeBitmap>(width, height, scale);
}

bool ResourceGraphics::RegisterRendererFont(const char* fontId, PlatformFont& font)
{
  FontDataRecord record = font.FontData();
  if (!record.IsValid() || !FontInfo(record.bytes, record.faceIndex).IsComplete()) return false;
  mFonts.push_back(fontId);
  mFontData.push_back(std::move(record));
  return true;
}

} // namespace igraphics::test

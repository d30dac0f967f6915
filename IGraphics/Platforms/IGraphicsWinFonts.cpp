// Platform fonts of IGraphicsWin: installed families, private memory fonts from bytes, files
// or module resources, and the GDI fonts the native text entry copies.

#include "IGraphics/FontInfo.h"
#include "IGraphics/Platforms/IGraphicsWin.h"
#include "IGraphics/Platforms/WinFont.h"
#include "IGraphics/Platforms/WinFontCaches.h"
#include "IGraphics/ResourceLookup.h"
#include "IGraphics/TextConversion.h"

#include <climits>
#include <cwchar>

namespace igraphics
{

namespace
{

// LOGFONT's face field holds 31 characters and the terminator.
constexpr std::size_t kMaxFaceChars = LF_FACESIZE - 1;

LOGFONTW DescribeFont(const std::u16string& family, bool bold, bool italic, bool underline)
{
  LOGFONTW font{};
  family.copy(reinterpret_cast<char16_t*>(font.lfFaceName), kMaxFaceChars);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = italic;
  font.lfUnderline = underline;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_TT_PRECIS;
  return font;
}

int CALLBACK NoteFamilyFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
  *reinterpret_cast<bool*>(found) = true;
  return 0; // one is enough
}

// The screen's device context, released on leaving.
class ScreenDC
{
public:
  ScreenDC() : mDC(GetDC(nullptr)) {}
  ~ScreenDC()
  {
    if (mDC) ReleaseDC(nullptr, mDC);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC Get() const { return mDC; }

private:
  HDC mDC;
};

bool FamilyIsInstalled(HDC screen, const LOGFONTW& description)
{
  LOGFONTW query = description;
  bool found = false;
  EnumFontFamiliesExW(screen, &query, NoteFamilyFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The font GDI makes of `description`, or null when GDI would show another face instead.
HFONT CreateExactFont(HDC screen, const LOGFONTW& description)
{
  if (!screen) return nullptr;
  HFONT font = CreateFontIndirectW(&description);
  if (!font) return nullptr;
  const HGDIOBJ previous = SelectObject(screen, font);
  wchar_t face[64]{};
  const int length = GetTextFaceW(screen, 64, face);
  SelectObject(screen, previous);
  if (length <= 0 || std::wcscmp(face, description.lfFaceName) != 0)
  {
    DeleteObject(font);
    return nullptr;
  }
  return font;
}

// Closes a handle from CreateFileW / CreateFileMappingW on leaving.
class OwnedHandle
{
public:
  explicit OwnedHandle(HANDLE handle) : mHandle(handle) {}
  ~OwnedHandle()
  {
    if (IsValid()) CloseHandle(mHandle);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  bool IsValid() const { return mHandle && mHandle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return mHandle; }

private:
  HANDLE mHandle;
};

} // namespace

std::unique_ptr<PlatformFont> IGraphicsWin::MakePlatformFont(const char* fontId,
                                                             const char* familyName, int style)
{
  (void)fontId;
  if (!familyName || !*familyName) return nullptr;
  const std::u16string family = Utf8ToUtf16(familyName);
  const LOGFONTW description = DescribeFont(family, style == 1, style == 2, false);
  const ScreenDC screen;
  if (!FamilyIsInstalled(screen.Get(), description)) return nullptr;
  HFONT font = CreateExactFont(screen.Get(), description);
  if (!font) return nullptr;
  const char* styleText = style == 1 ? "Bold" : style == 2 ? "Italic" : "Regular";
  return std::make_unique<Font>(font, true, styleText);
}

std::unique_ptr<PlatformFont> IGraphicsWin::MakePlatformFont(const char* fontId, const void* bytes,
                                                             int length)
{
  std::lock_guard lock(WinFontCaches::MemoryFontLock());
  return MakeMemoryFontLocked(fontId, bytes, length);
}

std::unique_ptr<PlatformFont> IGraphicsWin::MakeMemoryFontLocked(const char* fontId,
                                                                 const void* bytes, int length)
{
  if (!fontId || !bytes || length <= 0) return nullptr;
  DWORD installed = 0;
  HANDLE resource = AddFontMemResourceEx(const_cast<void*>(bytes), static_cast<DWORD>(length),
                                         nullptr, &installed);
  if (!resource) return nullptr;
  auto owned = std::make_unique<WinFontCaches::MemoryFontResource>(resource);
  const FontInfo info(
      std::span(static_cast<const std::uint8_t*>(bytes), static_cast<std::size_t>(length)), 0);
  if (!info.IsComplete() || info.FamilyName().empty()) return nullptr;
  const LOGFONTW description = DescribeFont(Utf8ToUtf16(info.FamilyName()), info.IsBold(),
                                            info.IsItalic(), info.IsUnderline());
  const ScreenDC screen;
  HFONT font = CreateExactFont(screen.Get(), description);
  if (!font) return nullptr; // `owned` removes the resource again
  // Another editor may hold this id already: the cache keeps its registration and ours goes.
  WinFontCaches::MemoryFonts().Add(fontId, 1.0, std::move(owned));
  return std::make_unique<Font>(font, false, "");
}

std::unique_ptr<PlatformFont> IGraphicsWin::MakePlatformFont(const char* fontId,
                                                             const char* fileOrResourceName)
{
  std::lock_guard lock(WinFontCaches::MemoryFontLock());
  std::string location;
  switch (ResolveResource(fileOrResourceName, "ttf", location, LibraryInstance()))
  {
  case EResourceLocation::kAbsolutePath:
    return MakeFontFromFileLocked(fontId, location);
  case EResourceLocation::kWinBinary:
  {
    const std::span<const std::uint8_t> bytes =
        ReadModuleResource(location.c_str(), "ttf", LibraryInstance());
    return MakeMemoryFontLocked(fontId, bytes.data(), static_cast<int>(bytes.size()));
  }
  case EResourceLocation::kNotFound:
    break;
  }
  return nullptr;
}

std::unique_ptr<PlatformFont> IGraphicsWin::MakeFontFromFileLocked(const char* fontId,
                                                                   const std::string& path)
{
  const OwnedHandle file(CreateFileW(reinterpret_cast<const wchar_t*>(Utf8ToUtf16(path).c_str()),
                                     GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                     nullptr));
  if (!file.IsValid()) return nullptr;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > INT_MAX)
    return nullptr;
  const OwnedHandle mapping(CreateFileMappingW(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping.IsValid()) return nullptr;
  const void* view = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0);
  if (!view) return nullptr;
  std::unique_ptr<PlatformFont> font =
      MakeMemoryFontLocked(fontId, view, static_cast<int>(size.QuadPart));
  UnmapViewOfFile(view);
  return font;
}

void IGraphicsWin::KeepTextEntryFont(const char* fontId, PlatformFont& font)
{
  if (!fontId || !font.NativeFontHandle()) return;
  std::lock_guard lock(WinFontCaches::TextEntryFontLock());
  KeepTextEntryFontLocked(fontId, font);
}

void IGraphicsWin::KeepTextEntryFontLocked(const char* fontId, PlatformFont& font)
{
  if (WinFontCaches::TextEntryFonts().Find(fontId, 1.0)) return;
  LOGFONTW description{};
  if (!GetObjectW(static_cast<HFONT>(font.NativeFontHandle()), sizeof description, &description))
    return;
  HFONT copy = CreateFontIndirectW(&description);
  if (!copy) return;
  WinFontCaches::TextEntryFonts().Add(fontId, 1.0, std::make_unique<WinFontCaches::GdiFont>(copy));
}

} // namespace igraphics

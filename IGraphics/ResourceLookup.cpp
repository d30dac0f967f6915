// Resource lookup by file name, over the Windows module resources or the embedded table of
// builds without one. Both compare names the way the Windows resource functions do: the
// stored name without its quotes, without regard to ASCII case.

#include "IGraphics/ResourceLookup.h"

#include "IGraphics/EmbeddedResource.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace igraphics
{

namespace
{

// Smaller resources cannot be a picture or a font; treated as missing.
constexpr std::size_t kMinResourceBytes = 8;

std::string LowerAscii(std::string_view text)
{
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

std::string UpperAscii(std::string_view text)
{
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

// A stored name matches when, without its first and last character (the quotes), it equals
// the lower-cased requested name after lower-casing.
bool StoredNameMatches(std::string_view storedName, std::string_view requestedLower)
{
  if (storedName.size() < 2) return false;
  return LowerAscii(storedName.substr(1, storedName.size() - 2)) == requestedLower;
}

bool IsRegularFile(const char* path)
{
  std::error_code error;
  const std::filesystem::path fsPath(reinterpret_cast<const char8_t*>(path));
  return std::filesystem::is_regular_file(fsPath, error);
}

#ifdef _WIN32

struct NameSearch
{
  std::string requestedLower;
  bool found = false;
};

BOOL CALLBACK MatchResourceName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
  auto& search = *reinterpret_cast<NameSearch*>(param);
  // Numeric identifiers have no name to compare.
  if (IS_INTRESOURCE(name)) return TRUE;
  if (!StoredNameMatches(name, search.requestedLower)) return TRUE;
  search.found = true;
  return FALSE; // stop the enumeration
}

bool ModuleHasResource(void* module, const std::string& typeUpper, const std::string& lower)
{
  NameSearch search{lower};
  EnumResourceNamesA(static_cast<HMODULE>(module), typeUpper.c_str(), MatchResourceName,
                     reinterpret_cast<LONG_PTR>(&search));
  return search.found;
}

std::span<const std::uint8_t> ModuleResourceBytes(const char* storedName,
                                                  const std::string& typeUpper, void* module)
{
  const auto handle = static_cast<HMODULE>(module);
  HRSRC found = FindResourceA(handle, storedName, typeUpper.c_str());
  if (!found) return {};
  HGLOBAL loaded = LoadResource(handle, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const std::uint8_t*>(bytes), SizeofResource(handle, found)};
}

std::string ModuleFileName(void* module)
{
  std::wstring path(MAX_PATH, L'\0');
  for (;;)
  {
    const DWORD length = GetModuleFileNameW(static_cast<HMODULE>(module), path.data(),
                                            static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A full buffer means the name was cut: try again with more room.
    if (length < path.size())
    {
      path.resize(length);
      break;
    }
    if (path.size() >= 32768) return {}; // the longest path Windows has
    path.resize(path.size() * 2);
  }
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()),
                                        nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), utf8.data(), bytes,
                      nullptr, nullptr);
  return utf8;
}

#else

const EmbeddedResourceTable* Table(void* module)
{
  return static_cast<const EmbeddedResourceTable*>(module);
}

bool ModuleHasResource(void* module, const std::string& typeUpper, const std::string& lower)
{
  if (!Table(module)) return false;
  for (const EmbeddedResource& resource : Table(module)->entries)
  {
    if (SameIgnoringAsciiCase(resource.type, typeUpper) &&
        StoredNameMatches(resource.storedName, lower))
      return true;
  }
  return false;
}

std::span<const std::uint8_t> ModuleResourceBytes(const char* storedName,
                                                  const std::string& typeUpper, void* module)
{
  if (!Table(module)) return {};
  const EmbeddedResource* found = FindEmbeddedResource(*Table(module), storedName, typeUpper);
  if (!found) return {};
  return {found->data, found->size};
}

// The embedded table lives in the same file as this code.
std::string ModuleFileName(void*)
{
  Dl_info info{};
  if (!dladdr(reinterpret_cast<const void*>(&GetModulePath), &info) || !info.dli_fname) return {};
  std::filesystem::path path(info.dli_fname);
  if (path.is_absolute()) return path.string();
  // A program is named as it was started; the kernel knows its full path.
  std::error_code error;
  if (std::filesystem::equivalent(path, "/proc/self/exe", error))
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
  return std::filesystem::absolute(path, error).string();
}

#endif

} // namespace

EResourceLocation ResolveResource(const char* name, const char* type, std::string& result,
                                  void* module)
{
  if (!name || !*name) return EResourceLocation::kNotFound;
  const std::string lower = LowerAscii(name);
  if (type && ModuleHasResource(module, UpperAscii(type), lower))
  {
    std::string quoted = "\"" + lower + "\"";
    if (quoted.size() <= kMaxResourceResult)
    {
      result = std::move(quoted);
      return EResourceLocation::kWinBinary;
    }
  }
  if (IsRegularFile(name))
  {
    result = name;
    return EResourceLocation::kAbsolutePath;
  }
  return EResourceLocation::kNotFound;
}

std::span<const std::uint8_t> ReadModuleResource(const char* storedName, const char* type,
                                                 void* module)
{
  if (!storedName || !type || !module) return {};
  const std::span<const std::uint8_t> bytes =
      ModuleResourceBytes(storedName, UpperAscii(type), module);
  if (bytes.size() < kMinResourceBytes) return {};
  return bytes;
}

std::string GetModulePath(void* module)
{
  std::string path = ModuleFileName(module);
  const std::size_t cut = path.find_last_of("\\/");
  if (cut == std::string::npos) return {};
  path.resize(cut + 1);
  return path;
}

std::string ScaledImageName(std::string_view name, int scale)
{
  if (scale == 1) return std::string(name);
  // The extension starts at the last "." unless a folder separator follows it.
  std::size_t dot = name.find_last_of('.');
  if (dot != std::string_view::npos && name.find_first_of("/\\", dot) != std::string_view::npos)
    dot = std::string_view::npos;
  const std::string_view base = name.substr(0, dot);
  const std::string_view extension =
      dot == std::string_view::npos ? std::string_view() : name.substr(dot);
  return std::string(base) + "@" + std::to_string(scale) + "x" + std::string(extension);
}

int NextSearchScale(int targetScale, int scale)
{
  if (scale == targetScale && targetScale != 3) return 3;
  if (scale == targetScale + 1) return targetScale - 1;
  return scale - 1;
}

EResourceLocation FindScaledImage(const char* name, const char* type, std::string& result,
                                  int targetScale, int& foundScale, void* module)
{
  if (!name) return EResourceLocation::kNotFound;
  for (int scale = targetScale; scale > 0; scale = NextSearchScale(targetScale, scale))
  {
    foundScale = scale;
    const EResourceLocation location =
        ResolveResource(ScaledImageName(name, scale).c_str(), type, result, module);
    if (location != EResourceLocation::kNotFound) return location;
  }
  return EResourceLocation::kNotFound;
}

} // namespace igraphics

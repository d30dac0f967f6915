#include "IPlug/FileUtf8.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

#include <utility>

namespace iplug
{

std::FILE* OpenFileUtf8(const char* path, const char* mode)
{
  if (path == nullptr || path[0] == '\0' || mode == nullptr) return nullptr;
#ifdef _WIN32
  auto widen = [](const char* text)
  {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> wide(n > 0 ? static_cast<std::size_t>(n) : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), n);
    return wide;
  };
  const std::vector<wchar_t> widePath = widen(path);
  const std::vector<wchar_t> wideMode = widen(mode);
  return _wfopen(widePath.data(), wideMode.data());
#else
  return std::fopen(path, mode);
#endif

#include <utility>
}

bool ReadFileUtf8(const char* path, ByteChunk& out, int maxBytes)
{
  std::FILE* fp = OpenFileUtf8(path, "rb");
  if (fp == nullptr) return false;
  ByteChunk contents;
  bool ok = true;
  std::uint8_t buffer[4096];
  for (;;)
  {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, fp);
    if (n > 0 && (contents.Size() + static_cast<long long>(n) > maxBytes ||
                  contents.PutBytes(buffer, static_cast<int>(n)) < 0))
    {
      ok = false;
      break;
    }
    if (n < sizeof buffer)
    {
      ok = std::ferror(fp) == 0;
      break;
    }
  }
  std::fclose(fp);
  if (ok) out = std::move(contents);
  return ok;
}

} // namespace iplug

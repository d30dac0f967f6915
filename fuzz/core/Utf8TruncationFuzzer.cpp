#include "IPlug/IPlugUtilities.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

// Texts from hosts and files are cut into fixed 32-byte fields: the cut must
// stay in bounds, terminate, and never leave a partial UTF-8 sequence.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size == 0) return 0;
  const std::size_t capacity = 1 + data[0] % 40;
  std::vector<char> text(data + 1, data + size);
  text.push_back('\0');
  std::vector<char> dst(capacity);
  const std::size_t n = iplug::CopyTruncatedUtf8(dst.data(), capacity, text.data());
  if (n >= capacity || dst[n] != '\0' || std::memcmp(dst.data(), text.data(), n) != 0) std::abort();
  return 0;
}

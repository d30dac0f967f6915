#include "IPlug/IPlugUtilities.h"

#include <cstring>

namespace iplug
{

namespace
{
bool IsContinuationByte(unsigned char c)
{
  return (c & 0xC0) == 0x80;
}

// Bytes a sequence announces by its lead byte; 0 for a byte that cannot start one.
std::size_t SequenceLength(unsigned char lead)
{
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}
} // namespace

std::size_t Utf8PrefixLength(const char* text, std::size_t length, std::size_t maxBytes) noexcept
{
  if (text == nullptr || length <= maxBytes) return text == nullptr ? 0 : length;

  // Back up from the cut to the start of the sequence it falls in; keep that
  // sequence only if it ends before the cut.
  std::size_t cut = maxBytes;
  std::size_t start = cut;
  while (start > 0 && IsContinuationByte(static_cast<unsigned char>(text[start])))
    --start;
  if (start == cut) return cut;
  const std::size_t announced = SequenceLength(static_cast<unsigned char>(text[start]));
  if (announced != 0 && start + announced <= cut)
    return cut; // Malformed tail of continuation bytes: nothing to protect.
  return start;
}

std::size_t CopyTruncatedUtf8(char* dst, std::size_t capacity, const char* src) noexcept
{
  if (dst == nullptr || capacity == 0) return 0;
  if (src == nullptr)
  {
    dst[0] = '\0';
    return 0;
  }
  // Never read further than one byte past what fits: src may be unterminated
  // garbage as long as it is terminated within that window.
  const std::size_t window = strnlen(src, capacity);
  const std::size_t n = Utf8PrefixLength(src, window, capacity - 1);
  std::memmove(dst, src, n);
  dst[n] = '\0';
  return n;
}

} // namespace iplug

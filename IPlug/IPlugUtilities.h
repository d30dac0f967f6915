#pragma once

#include <cstddef>

namespace iplug
{

// Copies the zero-terminated text `src` into `dst`, which holds `capacity`
// bytes, cutting it to at most capacity - 1 bytes. The cut never falls inside
// a UTF-8 multi-byte sequence, and `dst` is always zero-terminated (a null
// `src` gives the empty text). Returns the number of bytes copied. [any-thread]
std::size_t CopyTruncatedUtf8(char* dst, std::size_t capacity, const char* src) noexcept;

// Length of the longest prefix of `text` (of `length` bytes) that is at most
// `maxBytes` long and does not end inside a UTF-8 multi-byte sequence.
std::size_t Utf8PrefixLength(const char* text, std::size_t length, std::size_t maxBytes) noexcept;

} // namespace iplug

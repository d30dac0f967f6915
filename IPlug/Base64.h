#pragma once

#include <cstdint>
#include <string>

namespace iplug
{

// Standard base64 (A-Z a-z 0-9 + /) with "=" padding to a multiple of four.
std::string Base64Encode(const std::uint8_t* data, int size);

// Decodes `text` into `out`, which holds `size` bytes and is zeroed first.
// Stops at the first character outside the alphabet (so at "=" and at the
// terminator) or when `size` bytes are written; returns the bytes written.
// [any-thread]
int Base64Decode(const char* text, std::uint8_t* out, int size) noexcept;

} // namespace iplug

#pragma once

#include "IPlug/ByteChunk.h"

#include <cstdio>

namespace iplug
{

// fopen for a UTF-8 path on every platform (Windows needs the wide form for
// anything beyond ASCII). Null for a null or empty path. [any-thread]
std::FILE* OpenFileUtf8(const char* path, const char* mode);

// Reads a whole file into `out` (replacing its contents). False, with `out`
// unchanged, when the file cannot be read or holds more than `maxBytes`.
bool ReadFileUtf8(const char* path, ByteChunk& out, int maxBytes);

} // namespace iplug

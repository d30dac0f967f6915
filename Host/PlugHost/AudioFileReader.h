#pragma once

#include "Host/PlugHost/AudioBuffer.h"

#include <string>

namespace plughost
{

// Reads a whole audio file: raw interleaved float32 (".f32", whose rate and
// channel count come from the caller) everywhere, WAV, AIFF and FLAC where the
// build has libsndfile. [main-thread]
class AudioFileReader
{
public:
  // False with a one-line reason when the file is missing, unreadable, of an
  // unsupported kind, or disagrees with a rate or channel count the caller gave.
  static bool Read(const std::string& path, const RawFormat& given, AudioBuffer* out,
                   std::string* error);

  // True when the path names a raw float32 file.
  static bool IsRaw(const std::string& path);
};

// The path's extension in lower case, with the dot ("" when there is none).
std::string LowerExtension(const std::string& path);

} // namespace plughost

#pragma once

#include "Host/PlugHost/AudioBuffer.h"

#include <string>

namespace plughost
{

// Writes a whole audio file in the format its extension names: raw float32
// (".f32") everywhere; WAV (24-bit, or float with floatSamples), AIFF and FLAC
// (24-bit) where the build has libsndfile. The file appears complete or not
// at all. [main-thread]
class AudioFileWriter
{
public:
  // False with the reason when the extension names no format this build
  // writes; checked before any work is done.
  static bool CheckFormat(const std::string& path, bool floatSamples, std::string* error);

  static bool Write(const std::string& path, const AudioBuffer& audio, bool floatSamples,
                    std::string* error);
};

} // namespace plughost

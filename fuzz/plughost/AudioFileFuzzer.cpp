// plughost's audio file reader on arbitrary bytes, as a raw float32 file and
// as a sound file: it must read them whole or refuse them with a reason.
#include "Host/PlugHost/AudioFileReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
std::string Scratch(const char* extension)
{
  return (std::filesystem::temp_directory_path() /
          ("audio_file_fuzzer-" + std::to_string(getpid()) + extension))
      .string();
}

void Check(const std::string& path, const std::uint8_t* data, std::size_t size, int channels)
{
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
  plughost::AudioBuffer audio;
  std::string error;
  const plughost::RawFormat given{48000, channels};
  if (plughost::AudioFileReader::Read(path, given, &audio, &error))
  {
    // A file read is whole frames of a real format.
    if (audio.channels <= 0 || audio.sampleRate <= 0 ||
        audio.samples.size() != audio.Frames() * static_cast<std::size_t>(audio.channels))
      std::abort();
  }
  else if (error.empty())
    std::abort(); // a refusal always says why
  std::remove(path.c_str());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const std::string raw = Scratch(".f32");
  static const std::string wav = Scratch(".wav");
  const int channels = size > 0 ? 1 + data[0] % 3 : 1;
  Check(raw, data, size, channels);
  Check(wav, data, size, 0);
  return 0;
}

#include "Host/PlugHost/AudioFileReader.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#ifdef PLUGHOST_HAVE_SNDFILE
#include <sndfile.h>
#endif

namespace plughost
{

namespace
{
std::filesystem::path PathOf(const std::string& utf8)
{
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::FILE* OpenForReading(const std::string& path)
{
#ifdef _WIN32
  return _wfopen(PathOf(path).c_str(), L"rb");
#else
  return std::fopen(path.c_str(), "rb");
#endif
}

bool ReadRaw(const std::string& path, const RawFormat& given, AudioBuffer* out, std::string* error)
{
  if (given.sampleRate <= 0 || given.channels <= 0)
  {
    *error = path + " is raw float32 audio: give its rate and channel count with --sr and "
                    "--channels";
    return false;
  }
  std::FILE* file = OpenForReading(path);
  if (file == nullptr)
  {
    *error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  std::vector<unsigned char> bytes;
  unsigned char chunk[65536];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed)
  {
    *error = "cannot read " + path + ": reading failed";
    return false;
  }
  const std::size_t frameBytes = sizeof(float) * static_cast<std::size_t>(given.channels);
  if (bytes.size() % frameBytes != 0)
  {
    *error = path + " holds " + std::to_string(bytes.size()) + " bytes, not a whole number of " +
             std::to_string(given.channels) + "-channel float32 frames";
    return false;
  }
  out->sampleRate = given.sampleRate;
  out->channels = given.channels;
  out->samples.resize(bytes.size() / sizeof(float));
  // The files are little-endian, like every machine this host runs on.
  if (!bytes.empty()) std::memcpy(out->samples.data(), bytes.data(), bytes.size());
  return true;
}
} // namespace

std::string LowerExtension(const std::string& path)
{
  std::string extension = PathOf(path).extension().string();
  for (char& c : extension)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

bool AudioFileReader::IsRaw(const std::string& path)
{
  return LowerExtension(path) == ".f32";
}

bool AudioFileReader::Read(const std::string& path, const RawFormat& given, AudioBuffer* out,
                           std::string* error)
{
  std::error_code code;
  if (!std::filesystem::is_regular_file(PathOf(path), code))
  {
    *error = "cannot read " + path + ": " +
             (std::filesystem::exists(PathOf(path), code) ? "not a file" : "no such file");
    return false;
  }
  if (IsRaw(path)) return ReadRaw(path, given, out, error);
#ifdef PLUGHOST_HAVE_SNDFILE
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr)
  {
    *error = "cannot read " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  if (info.channels <= 0 || info.samplerate <= 0 || info.frames < 0)
  {
    sf_close(file);
    *error = "cannot read " + path + ": the file gives no valid format";
    return false;
  }
  out->sampleRate = info.samplerate;
  out->channels = info.channels;
  out->samples.clear();
  // Read until the data ends rather than trusting the header's frame count,
  // which a damaged file can overstate without bound.
  const std::size_t channels = static_cast<std::size_t>(info.channels);
  const sf_count_t chunkFrames =
      static_cast<sf_count_t>(std::max<std::size_t>(1, 65536 / channels));
  std::vector<float> chunk(static_cast<std::size_t>(chunkFrames) * channels);
  sf_count_t total = 0;
  for (sf_count_t got = 0; (got = sf_readf_float(file, chunk.data(), chunkFrames)) > 0;)
  {
    out->samples.insert(out->samples.end(), chunk.begin(),
                        chunk.begin() + static_cast<std::ptrdiff_t>(got) *
                                            static_cast<std::ptrdiff_t>(channels));
    total += got;
  }
  sf_close(file);
  if (total < info.frames)
  {
    *error = "cannot read " + path + ": the file ends early (" + std::to_string(total) + " of " +
             std::to_string(info.frames) + " frames)";
    return false;
  }
  if (given.sampleRate > 0 && given.sampleRate != out->sampleRate)
  {
    *error = path + " is at " + std::to_string(out->sampleRate) + " Hz, not the " +
             std::to_string(given.sampleRate) + " Hz given with --sr";
    return false;
  }
  if (given.channels > 0 && given.channels != out->channels)
  {
    *error = path + " has " + std::to_string(out->channels) + " channels, not the " +
             std::to_string(given.channels) + " given with --channels";
    return false;
  }
  return true;
#else
  *error = "cannot read " + path +
           ": this build reads only raw float32 .f32 files (with --sr and --channels)";
  return false;
#endif
}

} // namespace plughost

#include "Host/PlugHost/AudioFileWriter.h"

#include "Host/PlugHost/AtomicFileWriter.h"
#include "Host/PlugHost/AudioFileReader.h"

#ifdef PLUGHOST_HAVE_SNDFILE
#include <sndfile.h>
#endif

namespace plughost
{

namespace
{
#ifdef PLUGHOST_HAVE_SNDFILE
// The libsndfile format for the path, or 0 with the reason.
int SoundFileFormat(const std::string& path, bool floatSamples, std::string* error)
{
  const std::string extension = LowerExtension(path);
  const int samples = floatSamples ? SF_FORMAT_FLOAT : SF_FORMAT_PCM_24;
  if (extension == ".wav") return SF_FORMAT_WAV | samples;
  if (extension == ".aif" || extension == ".aiff") return SF_FORMAT_AIFF | samples;
  if (extension == ".flac")
  {
    if (floatSamples)
    {
      *error = "FLAC holds whole-number samples only: --float needs .wav, .aiff or .f32";
      return 0;
    }
    return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
  }
  *error = "cannot write " + path + ": unknown audio format \"" + extension +
           "\" (use .wav, .aiff, .flac or .f32)";
  return 0;
}
#endif
} // namespace

bool AudioFileWriter::CheckFormat(const std::string& path, bool floatSamples, std::string* error)
{
  if (AudioFileReader::IsRaw(path)) return true;
#ifdef PLUGHOST_HAVE_SNDFILE
  return SoundFileFormat(path, floatSamples, error) != 0;
#else
  static_cast<void>(floatSamples);
  *error = "cannot write " + path + ": this build writes only raw float32 .f32 files";
  return false;
#endif
}

bool AudioFileWriter::Write(const std::string& path, const AudioBuffer& audio, bool floatSamples,
                            std::string* error)
{
  if (!CheckFormat(path, floatSamples, error)) return false;
  if (AudioFileReader::IsRaw(path))
    return AtomicFileWriter::WriteWhole(path, audio.samples.data(),
                                        audio.samples.size() * sizeof(float), error);
#ifdef PLUGHOST_HAVE_SNDFILE
  AtomicFileWriter writer(path);
  SF_INFO info{};
  info.samplerate = audio.sampleRate;
  info.channels = audio.channels;
  info.format = SoundFileFormat(path, floatSamples, error);
  SNDFILE* file = sf_open(writer.TemporaryPath().c_str(), SFM_WRITE, &info);
  if (file == nullptr)
  {
    *error = "cannot write " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  // Whole-number formats saturate rather than wrap around.
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  const sf_count_t frames = static_cast<sf_count_t>(audio.Frames());
  const sf_count_t written = sf_writef_float(file, audio.samples.data(), frames);
  const std::string writeError = sf_strerror(file);
  const int closed = sf_close(file);
  if (written != frames || closed != 0)
  {
    *error = "cannot write " + path + ": " + writeError;
    return false;
  }
  return writer.Commit(error);
#else
  return false;
#endif
}

} // namespace plughost

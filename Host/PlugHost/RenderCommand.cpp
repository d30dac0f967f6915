#include "Host/PlugHost/AudioFileReader.h"
#include "Host/PlugHost/AudioFileWriter.h"
#include "Host/PlugHost/CommandLine.h"
#include "Host/PlugHost/Commands.h"
#include "Host/PlugHost/ModuleSession.h"
#include "Host/PlugHost/RenderJob.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace plughost
{

namespace
{
constexpr const char* kUsage =
    "usage: plughost render MODULE IN OUT [options]\n\n"
    "Renders the audio file IN through the effect block by block, as a host plays\n"
    "a track through an insert, and writes OUT. A mono file uses the mono\n"
    "component, a stereo file the stereo one. OUT's extension picks its format:\n"
    ".wav (24-bit unless --float), .aiff, .flac, or .f32 (raw interleaved float32).\n\n"
    "  --param NAME=VALUE          set a parameter as a user types it, e.g. Drive=24\n"
    "                              (repeatable; names are case-insensitive)\n"
    "  --block N                   frames per render call (1-65536, default 512)\n"
    "  --sr HZ --channels N        rate and channel count of a raw .f32 input\n"
    "  --float                     write 32-bit float WAV or AIFF\n"
    "  --host-bypass               engage the host's master bypass\n"
    "  --no-latency-compensation   keep the effect's latency in the output\n"
    "  --quiet                     print no summary\n";

bool StderrIsTerminal()
{
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}
} // namespace

int RenderCommand(const std::vector<std::string>& args)
{
  if (PrintedHelp(args, kUsage)) return kExitOk;
  CommandLine line;
  std::string error;
  const std::vector<CommandLine::Option> options = {{"--param", true, true},
                                                    {"--block", true},
                                                    {"--sr", true},
                                                    {"--channels", true},
                                                    {"--float"},
                                                    {"--host-bypass"},
                                                    {"--quiet"},
                                                    {"--no-latency-compensation"}};
  if (!line.Parse(args, options, 3, 3, &error)) return Fail("render: " + error);
  const std::string& inPath = line.Positional()[1];
  const std::string& outPath = line.Positional()[2];

  long long block = 512;
  if (line.Has("--block") &&
      !line.Integer("--block", 1, aaxhost::HostInstance::kMaxFrames, &block, &error))
    return Fail("render: " + error);
  RawFormat raw;
  long long number = 0;
  if (line.Has("--sr"))
  {
    if (!line.Integer("--sr", 1000, 768000, &number, &error)) return Fail("render: " + error);
    raw.sampleRate = static_cast<int>(number);
  }
  if (line.Has("--channels"))
  {
    if (!line.Integer("--channels", 1, 64, &number, &error)) return Fail("render: " + error);
    raw.channels = static_cast<int>(number);
  }
  const bool floatSamples = line.Has("--float");
  // Everything the user can get wrong is checked before the module loads.
  if (!AudioFileWriter::CheckFormat(outPath, floatSamples, &error)) return Fail(error);
  AudioBuffer input;
  if (!AudioFileReader::Read(inPath, raw, &input, &error)) return Fail(error);
  if (input.sampleRate < 1000 || input.sampleRate > 768000)
    return Fail(inPath + " is at " + std::to_string(input.sampleRate) +
                " Hz, outside the 1000-768000 Hz this host runs");

  auto session = ModuleSession::Open(line.Positional()[0], &error);
  if (!session) return Fail(error);
  if (!session->CreateInstance(input.channels, static_cast<float>(input.sampleRate), &error))
    return Fail(inPath + ": " + error);
  if (!session->ApplySettings(line.Values("--param"), &error)) return Fail(error);

  RenderJob::Settings settings;
  settings.blockSize = static_cast<int>(block);
  settings.hostBypass = line.Has("--host-bypass");
  settings.compensateLatency = !line.Has("--no-latency-compensation");
  // A bar only for a person watching, and only when it could be seen moving.
  if (StderrIsTerminal() && !line.Has("--quiet") && input.Frames() > 10u * 48000u)
    settings.progress = stderr;
  RenderJob job(session->Instance(), settings);
  AudioBuffer output;
  RenderJob::Result result;
  if (!job.Run(input, &output, &result, &error)) return Fail(error);
  if (!AudioFileWriter::Write(outPath, output, floatSamples, &error)) return Fail(error);
  if (!line.Has("--quiet"))
    std::printf("%s: %s\n", outPath.c_str(), RenderJob::Summary(result).c_str());
  return kExitOk;
}

} // namespace plughost

#include "Host/Analysis/AnalysisBench.h"

#include "Host/PlugHost/RenderJob.h"

namespace plughost
{

std::unique_ptr<AnalysisBench> AnalysisBench::Open(const std::string& module,
                                                   const std::vector<std::string>& settings,
                                                   std::string* error)
{
  std::unique_ptr<AnalysisBench> bench(new AnalysisBench);
  bench->mSession = ModuleSession::Open(module, error);
  if (!bench->mSession) return nullptr;
  // Stereo where the effect offers it (the CPU figures are per stereo frame), else mono.
  std::string stereoError;
  if (!bench->mSession->CreateInstance(2, 48000.0f, &stereoError))
  {
    bench->mChannels = 1;
    if (!bench->mSession->CreateInstance(1, 48000.0f, error)) return nullptr;
  }
  if (!bench->mSession->ApplySettings(settings, error)) return nullptr;
  bench->mSettings = settings;
  bench->mParams = bench->mSession->Parameters();
  return bench;
}

bool AnalysisBench::HasParameter(const std::string& name) const
{
  std::string ignored;
  return mSession->FindParameter(mParams, name, &ignored) != nullptr;
}

std::string AnalysisBench::EffectName() const
{
  const auto effects = mSession->Module().Description()->Effects();
  if (effects.empty()) return std::string();
  const auto names = effects.front().descriptor->Names();
  return names.empty() ? std::string() : names.front();
}

bool AnalysisBench::Render(const std::vector<double>& signal, int rate,
                           const std::vector<std::string>& extra, bool compensate, Rendered* out,
                           std::string* error, int blockSize, std::size_t timeFrom)
{
  if (!mSession->CreateInstance(mChannels, static_cast<float>(rate), error)) return false;
  std::vector<std::string> settings = mSettings;
  settings.insert(settings.end(), extra.begin(), extra.end());
  if (!mSession->ApplySettings(settings, error)) return false;

  AudioBuffer input;
  input.sampleRate = rate;
  input.channels = mChannels;
  input.samples.resize(signal.size() * static_cast<std::size_t>(mChannels));
  for (std::size_t n = 0; n < signal.size(); ++n)
    for (int c = 0; c < mChannels; ++c)
      input.samples[n * static_cast<std::size_t>(mChannels) + static_cast<std::size_t>(c)] =
          static_cast<float>(signal[n]);

  RenderJob::Settings job;
  job.blockSize = blockSize;
  job.compensateLatency = compensate;
  job.timeFromFrame = timeFrom;
  RenderJob render(mSession->Instance(), job);
  AudioBuffer output;
  RenderJob::Result result;
  if (!render.Run(input, &output, &result, error)) return false;
  out->frames = result.frames;
  out->latency = result.latency;
  out->callSeconds = result.callSeconds;
  out->output.resize(output.Frames());
  for (std::size_t n = 0; n < out->output.size(); ++n)
    out->output[n] = output.samples[n * static_cast<std::size_t>(mChannels)];
  return true;
}

bool AnalysisBench::Close(std::string* error)
{
  return mSession->Close(error);
}

} // namespace plughost

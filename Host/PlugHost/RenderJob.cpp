#include "Host/PlugHost/RenderJob.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <vector>

namespace plughost
{

namespace
{
double CallClockSeconds()
{
#ifdef _WIN32
  // The thread CPU clocks there tick with the scheduler (about 16 ms): too coarse per block.
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#else
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
#endif
}
} // namespace

RenderJob::RenderJob(aaxhost::HostInstance& instance, const Settings& settings)
    : mInstance(instance), mSettings(settings)
{
}

bool RenderJob::Run(const AudioBuffer& input, AudioBuffer* output, Result* result,
                    std::string* error)
{
  const std::size_t channels = static_cast<std::size_t>(input.channels);
  const std::size_t frames = input.Frames();
  const std::size_t block = static_cast<std::size_t>(mSettings.blockSize);
  if (mSettings.hostBypass)
  {
    // The master bypass parameter has the empty identifier.
    mInstance.Effect().ApplyHostParamValue("", 1.0, aaxhost::HostAutomationDelegate::kHostSource);
  }

  std::vector<std::vector<float>> in(channels, std::vector<float>(block));
  std::vector<std::vector<float>> out(channels, std::vector<float>(block));
  std::vector<const float*> inPtr;
  std::vector<float*> outPtr;
  for (std::size_t c = 0; c < channels; ++c)
  {
    inPtr.push_back(in[c].data());
    outPtr.push_back(out[c].data());
  }
  std::vector<float> rendered;
  rendered.reserve(input.samples.size());
  double callSeconds = 0.0;

  // Renders `count` frames from position `pos` of the input (silence past its end).
  auto renderBlock = [&](std::size_t pos, std::size_t count) -> bool
  {
    for (std::size_t c = 0; c < channels; ++c)
      for (std::size_t i = 0; i < count; ++i)
        in[c][i] = pos + i < frames ? input.samples[(pos + i) * channels + c] : 0.0f;
    const double callStart = CallClockSeconds();
    const bool ok = mInstance.Render(inPtr.data(), outPtr.data(),
                                     static_cast<std::int32_t>(count)) == AAX_SUCCESS;
    if (pos >= mSettings.timeFromFrame) callSeconds += CallClockSeconds() - callStart;
    if (!ok) return false;
    for (std::size_t i = 0; i < count; ++i)
      for (std::size_t c = 0; c < channels; ++c)
        rendered.push_back(out[c][i]);
    return true;
  };

  const auto begin = std::chrono::steady_clock::now();
  std::size_t pos = 0;
  for (; pos < frames; pos += block)
  {
    if (!renderBlock(pos, std::min(block, frames - pos)))
    {
      *error = "the effect's render call failed at frame " + std::to_string(pos);
      return false;
    }
    ShowProgress(pos, frames, false);
  }
  // The latency is known once the effect has processed: it reports changes
  // at the end of a block.
  std::int32_t latency = 0;
  mInstance.Controller().SignalLatency(&latency);
  latency = std::max(latency, 0);
  std::size_t tail = mSettings.compensateLatency ? static_cast<std::size_t>(latency) : 0;
  for (std::size_t extra = 0; extra < tail; extra += block)
    if (!renderBlock(pos + extra, std::min(block, tail - extra)))
    {
      *error = "the effect's render call failed in the tail";
      return false;
    }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  ShowProgress(frames, frames, true);

  output->sampleRate = input.sampleRate;
  output->channels = input.channels;
  output->samples.assign(rendered.begin() + static_cast<std::ptrdiff_t>(tail * channels),
                         rendered.end());
  result->frames = output->Frames();
  result->seconds = static_cast<double>(result->frames) / input.sampleRate;
  result->wallSeconds = wall;
  result->callSeconds = callSeconds;
  result->latency = latency;
  result->compensated = mSettings.compensateLatency;
  result->peak = 0.0;
  for (const float s : output->samples)
    result->peak = std::max(result->peak, static_cast<double>(std::fabs(s)));
  return true;
}

void RenderJob::ShowProgress(std::size_t done, std::size_t total, bool final)
{
  if (mSettings.progress == nullptr) return;
  const int percent = total == 0 ? 100 : static_cast<int>(100.0 * done / total);
  if (final)
  {
    if (mShownPercent >= 0) std::fputs("\r\033[K", mSettings.progress);
    std::fflush(mSettings.progress);
    return;
  }
  if (percent == mShownPercent) return;
  mShownPercent = percent;
  constexpr int kWidth = 40;
  const int filled = percent * kWidth / 100;
  std::fprintf(mSettings.progress, "\rrendering [%.*s%*s] %3d%%", filled,
               "########################################", kWidth - filled, "", percent);
  std::fflush(mSettings.progress);
}

std::string RenderJob::Summary(const Result& result)
{
  char text[256];
  const double speed = result.wallSeconds > 0.0 ? result.seconds / result.wallSeconds : 0.0;
  char peak[32];
  if (result.peak > 0.0)
    std::snprintf(peak, sizeof peak, "%.2f dBFS", 20.0 * std::log10(result.peak));
  else
    std::snprintf(peak, sizeof peak, "-inf dBFS");
  std::snprintf(
      text, sizeof text, "%llu frames, %.3f s, %.1f x real-time, peak %s, latency %d samples%s",
      static_cast<unsigned long long>(result.frames), result.seconds, speed, peak, result.latency,
      result.latency == 0  ? ""
      : result.compensated ? " (compensated)"
                           : " (not compensated)");
  return text;
}

} // namespace plughost

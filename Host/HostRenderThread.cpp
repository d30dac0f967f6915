#include "Host/HostRenderThread.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <chrono>
#include <cmath>

namespace aaxhost
{

HostRenderThread::HostRenderThread(HostInstance& instance, std::size_t channels,
                                   std::int32_t blockFrames, const std::vector<float>& input,
                                   double sampleRate)
    : mInstance(instance), mFrames(blockFrames), mBlockSeconds(blockFrames / sampleRate),
      mIn(channels, std::vector<float>(static_cast<std::size_t>(blockFrames))),
      mOut(channels, std::vector<float>(static_cast<std::size_t>(blockFrames)))
{
  for (std::size_t c = 0; c < channels; ++c)
  {
    for (std::size_t i = 0; i < mIn[c].size() && !input.empty(); ++i)
      mIn[c][i] = input[(i + c * 7) % input.size()];
    mInPtr.push_back(mIn[c].data());
    mOutPtr.push_back(mOut[c].data());
  }
  mThread = std::thread([this] { Run(); });
}

HostRenderThread::~HostRenderThread()
{
  Stop();
}

void HostRenderThread::Stop()
{
  mStop.store(true);
  if (mThread.joinable()) mThread.join();
}

void HostRenderThread::Run()
{
  using Clock = std::chrono::steady_clock;
  const auto period =
      std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(mBlockSeconds));
  auto due = Clock::now();
  while (!mStop.load(std::memory_order_relaxed))
  {
    // A DAW's audio thread waits for the device between blocks.
    due += period;
    if (const auto now = Clock::now(); now < due)
      std::this_thread::sleep_for(due - now);
    else
      due = now;
    if (mInstance.RenderOnly(mInPtr.data(), mOutPtr.data(), mFrames) != AAX_SUCCESS) ++mFailedCalls;
    for (const auto& channel : mOut)
      for (const float x : channel)
        if (!std::isfinite(x) || std::fpclassify(x) == FP_SUBNORMAL) ++mBadSamples;
    mBlocks.fetch_add(1, std::memory_order_relaxed);
  }
}

} // namespace aaxhost

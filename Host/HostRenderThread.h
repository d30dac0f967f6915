#pragma once

#include "Host/HostInstance.h"

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace aaxhost
{

// The audio thread of one instance, as a DAW runs it: it only renders
// (HostInstance::RenderOnly), block after block of the given input at the
// pace of the sample rate (a block is due every blockFrames / rate seconds;
// when late it catches up without waiting), until stopped; the update pass
// belongs to another thread. What it saw is read once it has stopped.
class HostRenderThread
{
public:
  // Input channels filled with `input` repeated; the instance must outlive
  // the thread. [main-thread]
  HostRenderThread(HostInstance& instance, std::size_t channels, std::int32_t blockFrames,
                   const std::vector<float>& input, double sampleRate = 48000.0);
  // Stops and joins. [main-thread]
  ~HostRenderThread();
  HostRenderThread(const HostRenderThread&) = delete;
  HostRenderThread& operator=(const HostRenderThread&) = delete;

  // [main-thread]
  void Stop();
  // Blocks rendered so far. [any-thread]
  std::int64_t Blocks() const noexcept { return mBlocks.load(std::memory_order_relaxed); }
  // After Stop: output samples that were NaN, infinite or subnormal, and
  // render calls that failed. [main-thread]
  std::int64_t BadSamples() const noexcept { return mBadSamples; }
  std::int64_t FailedCalls() const noexcept { return mFailedCalls; }

private:
  void Run(); // [audio-thread]

  HostInstance& mInstance;
  const std::int32_t mFrames;
  const double mBlockSeconds;
  std::vector<std::vector<float>> mIn;  // written before the thread starts
  std::vector<std::vector<float>> mOut; // audio thread
  std::vector<const float*> mInPtr;
  std::vector<float*> mOutPtr;
  std::atomic<bool> mStop{false};
  std::atomic<std::int64_t> mBlocks{0}; // audio thread writes
  std::int64_t mBadSamples = 0;         // audio thread; read after join
  std::int64_t mFailedCalls = 0;        // audio thread; read after join
  std::thread mThread;                  // last: starts once the rest exists
};

} // namespace aaxhost

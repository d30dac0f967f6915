// Host parameter traffic on one thread while the audio thread renders: the
// values the two share are atomics or queues, so nothing races.

#include "tests/module/AdapterHarness.h"

#include <atomic>
#include <cmath>
#include <thread>

namespace moduletest
{
namespace
{

TEST(AdapterThreads, HostValuesAndBypassWhileRendering)
{
  Connected<brasmire::Brasmire> c(brasmire::Brasmire::CreateInstance({}));
  std::vector<float> left(128, 0.25f);
  std::vector<float> right(128, -0.25f);
  std::vector<float> outLeft(128);
  std::vector<float> outRight(128);
  float* inputs[] = {left.data(), right.data()};
  float* outputs[] = {outLeft.data(), outRight.data()};
  c.render.mInputs = inputs;
  c.render.mOutputs = outputs;
  c.frames = 128;
  c.RenderCall(); // the block size is settled before the threads start

  std::atomic<bool> done{false};
  std::thread audio(
      [&]
      {
        while (!done.load())
          c.RenderCall();
      });
  const char* ids[] = {"", "1", "2", "3", "4", "5", "6"};
  for (int round = 0; round < 300; ++round)
    for (const char* id : ids)
      ASSERT_EQ(c.effect->ApplyHostParamValue(id, (round % 3) / 2.0, 1), AAX_SUCCESS);
  done.store(true);
  audio.join();
  // The last round set everything to 1.0: engaged, oversampled, bypassed by the host.
  EXPECT_EQ(c.plug->SignalPath().OversamplingFactor(), 2);
  for (float v : outLeft)
    EXPECT_TRUE(std::isfinite(v));
}

} // namespace
} // namespace moduletest

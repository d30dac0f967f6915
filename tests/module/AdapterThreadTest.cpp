// Host parameter traffic on one thread while the audio thread renders: the
// values the two share are atomics or queues, so nothing races.

#include "Host/HostString.h"
#include "tests/module/AdapterHarness.h"

#include <atomic>
#include <cmath>
#include <string>
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

// The host announces a track name on one of its threads while the main thread
// reads it for the editor: the name is guarded, never torn.
TEST(AdapterThreads, TrackNameAnnouncedWhileTheEditorReadsIt)
{
  Connected<brasmire::Brasmire> c(brasmire::Brasmire::CreateInstance({}));
  const aaxhost::HostString shortName("Bass");
  const aaxhost::HostString longName("A track name long enough to live on the heap");
  std::thread host(
      [&]
      {
        for (int i = 0; i < 500; ++i)
        {
          const aaxhost::HostString& name = i % 2 == 0 ? longName : shortName;
          c.effect->OnHostNotification(AAX_FourCC("AXtn"), &name, sizeof name);
        }
      });
  int torn = 0;
  for (int i = 0; i < 500; ++i)
  {
    iplug::ByteChunk chunk;
    c.plug->TrackName(chunk);
    const std::string read(reinterpret_cast<const char*>(chunk.GetData()));
    if (!read.empty() && read != shortName.Text() && read != longName.Text()) ++torn;
  }
  host.join();
  EXPECT_EQ(torn, 0);
}

} // namespace
} // namespace moduletest

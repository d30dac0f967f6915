// State chunks restored on a host thread while the editor is open on the main
// thread: the controls and the editor's size change only at the next timer
// tick, on the editor's thread. Run under ThreadSanitizer too.

#include "IPlug/IPlugAPIBase.h"
#include "InputTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

using namespace igraphics;
using namespace igraphics::test;

namespace
{

// A plug-in with the product's state layout (editor record, then values) and
// nothing that records from several threads.
class StatePlug final : public iplug::IPlugAPIBase
{
public:
  static iplug::PlugSetup Setup()
  {
    iplug::PlugSetup s;
    s.paramCount = 2;
    s.presetCount = 1;
    s.channelIO = "1-1";
    s.pluginName = "Threads";
    s.hasEditor = true;
    s.editorWidth = 732;
    s.editorHeight = 208;
    s.editorMinWidth = 366;
    s.editorMaxWidth = 1464;
    s.editorMinHeight = 104;
    s.editorMaxHeight = 416;
    return s;
  }

  StatePlug() : IPlugAPIBase(Setup(), iplug::kAPIAAX)
  {
    GetParam(0)->DefineReal("Mix", 100., 0., 100., 1., "%");
    GetParam(1)->DefineReal("Output", 0., -15., 15., 0.1, "dB");
  }

  bool SerializeState(iplug::ByteChunk& chunk) const override
  {
    return SerializeEditorState(chunk) && SerializeParams(chunk);
  }
  int UnserializeState(const iplug::ByteChunk& chunk, int startPos) override
  {
    return UnserializeParams(chunk, UnserializeEditorState(chunk, startPos));
  }
};

iplug::ByteChunk State(std::int32_t w, std::int32_t h, float scale, double mix, double output)
{
  iplug::ByteChunk chunk;
  chunk.Put(w);
  chunk.Put(h);
  chunk.Put(scale);
  chunk.Put(mix);
  chunk.Put(output);
  return chunk;
}

struct ThreadFixture : ::testing::Test
{
  ThreadFixture()
  {
    InstallOpeningFactory(plug, &graphics);
    plug.SetLayoutFunction(
        [this](IGraphics* g)
        {
          mixKnob = g->AttachControl(std::make_unique<TestKnob>(IRect(47, 48, 163, 164), 0));
          outputKnob = g->AttachControl(std::make_unique<TestKnob>(IRect(569, 47, 685, 163), 1));
        });
    if (plug.OpenEditor(&parent) == nullptr) ADD_FAILURE() << "no editor";
  }
  ~ThreadFixture() override { plug.CloseEditor(); }

  StatePlug plug;
  OpeningGraphics* graphics = nullptr;
  IControl* mixKnob = nullptr;
  IControl* outputKnob = nullptr;
  int parent = 0;
};

} // namespace

TEST_F(ThreadFixture, AChunkFromAnotherThreadChangesTheEditorOnlyAtTheNextTick)
{
  ASSERT_NE(graphics, nullptr);
  EXPECT_DOUBLE_EQ(mixKnob->GetValue(), 1.0);
  EXPECT_DOUBLE_EQ(outputKnob->GetValue(), 0.5);

  iplug::ByteChunk seenByHost;
  std::thread host(
      [&]
      {
        const iplug::ByteChunk chunk = State(1098, 312, 1.5f, 25., 7.5);
        EXPECT_EQ(plug.UnserializeState(chunk, 0), chunk.Size());
        plug.AfterStateRestored();
        // The state written meanwhile already says what the editor will become.
        EXPECT_TRUE(plug.SerializeState(seenByHost));
      });
  host.join();

  // The parameters changed; the editor has not been touched.
  EXPECT_DOUBLE_EQ(plug.GetParam(0)->Value(), 25.);
  EXPECT_DOUBLE_EQ(mixKnob->GetValue(), 1.0);
  EXPECT_DOUBLE_EQ(outputKnob->GetValue(), 0.5);
  EXPECT_FLOAT_EQ(graphics->GetDrawScale(), 1.f);
  EXPECT_EQ(graphics->Width(), 732);
  ASSERT_GE(seenByHost.Size(), 12);
  std::int32_t w = 0;
  float scale = 0.f;
  seenByHost.Get(w, 0);
  seenByHost.Get(scale, 8);
  EXPECT_EQ(w, 1098);
  EXPECT_EQ(scale, 1.5f);

  plug.OnTimerTick();
  EXPECT_DOUBLE_EQ(mixKnob->GetValue(), 0.25);
  EXPECT_DOUBLE_EQ(outputKnob->GetValue(), 0.75);
  EXPECT_EQ(graphics->Width(), 1098);
  EXPECT_EQ(graphics->Height(), 312);
  EXPECT_FLOAT_EQ(graphics->GetDrawScale(), 1.5f);

  // Nothing is left for the following tick.
  mixKnob->SetValue(0.5);
  plug.OnTimerTick();
  EXPECT_DOUBLE_EQ(mixKnob->GetValue(), 0.5);
}

TEST_F(ThreadFixture, ARestoreWhileTheEditorClosesBecomesTheSavedSize)
{
  std::thread host([&] { plug.UnserializeState(State(900, 300, 0.75f, 10., 0.), 0); });
  host.join();
  plug.CloseEditor();
  EXPECT_EQ(plug.GetSavedWidth(), 900);
  EXPECT_EQ(plug.GetSavedHeight(), 300);
  EXPECT_EQ(plug.GetSavedScale(), 0.75f);
  ASSERT_NE(plug.OpenEditor(&parent), nullptr);
  EXPECT_EQ(graphics->Width(), 900);
  EXPECT_DOUBLE_EQ(mixKnob->GetValue(), 0.1);
}

TEST_F(ThreadFixture, HostThreadsRestoringWhileTheEditorTicksAndDrags)
{
  std::atomic<bool> done{false};
  std::atomic<int> ticks{0};
  std::thread host(
      [&]
      {
        // Both sides run at the same time, however the threads are scheduled.
        while (ticks.load() == 0)
          std::this_thread::yield();
        for (int i = 0; i < 200; ++i)
        {
          const float scale = (i % 2) != 0 ? 1.5f : 1.f;
          plug.UnserializeState(State(732, 208, scale, i % 100, 0.), 0);
          plug.AfterStateRestored();
          iplug::ByteChunk out;
          plug.SerializeState(out);
        }
        done = true;
      });
  while (!done.load())
  {
    plug.OnTimerTick();
    graphics->OnMouseDown({Press(600, 100)});
    graphics->OnMouseDrag({Move(600, 90, 0, -10)});
    graphics->OnMouseUp({Press(600, 90)});
    ++ticks;
  }
  host.join();
  plug.OnTimerTick();
  EXPECT_GT(ticks.load(), 0);
  // The last restore wins: scale 1.5 (i = 199) and Mix 99.
  EXPECT_FLOAT_EQ(graphics->GetDrawScale(), 1.5f);
  EXPECT_DOUBLE_EQ(mixKnob->GetValue(), 0.99);
}

#include "TestPlugin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

using iplug::ByteChunk;
using plugtest::PlainPlugin;
using plugtest::TestPlugin;

namespace
{
template <class T>
T At(const ByteChunk& chunk, int offset)
{
  T value;
  std::memcpy(&value, chunk.GetData() + offset, sizeof value);
  return value;
}

// A state written by hand, field by field, to compare against.
ByteChunk HandMadeState(std::int32_t w, std::int32_t h, float scale, const std::vector<double>& v)
{
  ByteChunk chunk;
  chunk.PutBytes(&w, 4);
  chunk.PutBytes(&h, 4);
  chunk.PutBytes(&scale, 4);
  for (double d : v)
    chunk.PutBytes(&d, 8);
  return chunk;
}
} // namespace

TEST(PluginState, SixtyByteLayoutEditorRecordThenParameterValues)
{
  TestPlugin plug;
  plug.SetSavedEditorState(1098, 312, 1.5f);
  plug.SetValues({40, 70, 12, -3.5, 1, 0});
  ByteChunk chunk;
  ASSERT_TRUE(plug.SerializeState(chunk));
  ASSERT_EQ(chunk.Size(), 60);
  EXPECT_EQ(At<std::int32_t>(chunk, 0), 1098);
  EXPECT_EQ(At<std::int32_t>(chunk, 4), 312);
  EXPECT_EQ(At<float>(chunk, 8), 1.5f);
  const double expected[] = {40, 70, 12, -3.5, 1, 0};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(At<double>(chunk, 12 + 8 * i), expected[i]) << i;
  EXPECT_TRUE(chunk.IsEqual(HandMadeState(1098, 312, 1.5f, {40, 70, 12, -3.5, 1, 0})));
}

TEST(PluginState, FreshInstanceWritesZeroEditorRecordAndDefaults)
{
  TestPlugin plug;
  ByteChunk chunk;
  ASSERT_TRUE(plug.SerializeState(chunk));
  EXPECT_TRUE(chunk.IsEqual(HandMadeState(0, 0, 0.f, {100, 50, 0, 0, 0, 1})));
}

TEST(PluginState, RoundTripBetweenInstancesIsByteIdenticalAndAnnouncesAll)
{
  TestPlugin a;
  a.SetSavedEditorState(549, 156, 0.75f);
  a.SetValues({12, 99, 33, 14.9, 1, 0});
  ByteChunk saved;
  ASSERT_TRUE(a.SerializeState(saved));

  TestPlugin b;
  EXPECT_EQ(b.UnserializeState(saved, 0), 60);
  EXPECT_EQ(b.applied, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  ASSERT_EQ(b.inEditor.size(), 6u);
  for (const auto& [idx, source] : b.inEditor)
    EXPECT_EQ(source, iplug::kPresetRecall);
  EXPECT_EQ(b.GetSavedWidth(), 549);
  EXPECT_EQ(b.GetSavedScale(), 0.75f);
  ByteChunk again;
  ASSERT_TRUE(b.SerializeState(again));
  EXPECT_TRUE(again.IsEqual(saved));
}

TEST(PluginState, HeaderOnlyChunkSetsTheFirstParameterToConfinedZeroAndAnnouncesAll)
{
  TestPlugin plug;
  plug.SetValues({40, 70, 12, -3.5, 1, 0});
  const ByteChunk header = HandMadeState(700, 200, 2.f, {});
  EXPECT_EQ(plug.UnserializeState(header, 0), -1);
  EXPECT_EQ(plug.Values(), (std::vector<double>{0, 70, 12, -3.5, 1, 0}));
  EXPECT_EQ(plug.applied, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(plug.GetSavedWidth(), 700);
}

TEST(PluginState, TruncatedEditorRecordChangesNoParameterAndKeepsTheSavedSize)
{
  TestPlugin plug;
  plug.SetSavedEditorState(800, 220, 1.25f);
  plug.SetValues({40, 70, 12, -3.5, 1, 0});
  ByteChunk shortChunk;
  shortChunk.Put(std::int32_t{300});
  shortChunk.Put(std::int32_t{100});
  EXPECT_EQ(plug.UnserializeState(shortChunk, 0), -1);
  EXPECT_EQ(plug.Values(), (std::vector<double>{40, 70, 12, -3.5, 1, 0}));
  EXPECT_EQ(plug.applied.size(), 6u); // still a full reset announcement
  EXPECT_EQ(plug.GetSavedWidth(), 800);
  EXPECT_EQ(plug.GetSavedHeight(), 220);
  EXPECT_EQ(plug.GetSavedScale(), 1.25f);
}

TEST(PluginState, ShortParameterBlockSetsTheCutParameterAndKeepsTheRest)
{
  PlainPlugin plug; // Freq 20..20000, On, Mode 0..3
  plug.GetParam(0)->Set(5000);
  plug.GetParam(2)->Set(3);
  // A chunk that holds half a value: the cut parameter is parameter 0.
  ByteChunk half;
  half.Put(std::int32_t{7});
  EXPECT_EQ(plug.UnserializeState(half, 0), -1);
  EXPECT_EQ(plug.GetParam(0)->Value(), 20.0); // confined 0.0 is the minimum
  EXPECT_EQ(plug.GetParam(1)->Value(), 1.0);
  EXPECT_EQ(plug.GetParam(2)->Value(), 3.0);
}

TEST(PluginState, OffGridValuesSnapToTheStepAndClampToTheRange)
{
  TestPlugin plug;
  const ByteChunk chunk = HandMadeState(0, 0, 0.f, {100.7, -4, 70, 1.26, 0.6, -2.5});
  EXPECT_EQ(plug.UnserializeState(chunk, 0), 60);
  const std::vector<double> v = plug.Values();
  EXPECT_EQ(v[0], 100); // above the range
  EXPECT_EQ(v[1], 0);   // below the range
  EXPECT_EQ(v[2], 50);
  EXPECT_EQ(v[3], 1.26); // real parameters are not quantised, only clamped
  EXPECT_EQ(v[4], 1);    // integer parameters snap: 0.6 rounds to 1
  EXPECT_EQ(v[5], 0);    // -2.5 rounds to -3, then clamps to 0
}

TEST(PluginState, StoredNaNBecomesTheMinimumNotNaN)
{
  TestPlugin plug;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const ByteChunk chunk = HandMadeState(0, 0, 0.f, {nan, nan, nan, nan, nan, nan});
  plug.UnserializeState(chunk, 0);
  for (double v : plug.Values())
    EXPECT_FALSE(std::isnan(v));
  EXPECT_EQ(plug.GetParam(TestPlugin::kOutput)->Value(), -15.0);
}

TEST(PluginState, StateMatchesAtTheFloat32Boundary)
{
  TestPlugin plug;
  plug.SetValues({40, 70, 12, 0, 1, 0});
  auto matches = [&](std::vector<double> values, int startPos = 0)
  {
    ByteChunk chunk;
    for (int i = 0; i < startPos; ++i)
      chunk.Put(std::uint8_t{0xAA});
    chunk.PutChunk(HandMadeState(9, 9, 9.f, values)); // the editor record is not compared
    return plug.StateMatches(chunk.GetData(), chunk.Size(), startPos);
  };
  EXPECT_TRUE(matches({40, 70, 12, 0, 1, 0}));
  EXPECT_TRUE(matches({40, 70, 12 + 1e-9, 0, 1, 0})); // same float32
  EXPECT_TRUE(matches({40, 70, 12, 0.99e-5, 1, 0}));
  EXPECT_FALSE(matches({40, 70, 12, 1e-5, 1, 0}));
  EXPECT_FALSE(matches({40, 70, 12, 0, 1, 1}));
  EXPECT_TRUE(matches({40, 70, 12, 0, 1, 0}, 5));
  EXPECT_FALSE(matches({40, 70, 12, 0, 1})); // one value short: no match, no over-read
  EXPECT_FALSE(plug.StateMatches(nullptr, 0, 0));
  ByteChunk full = HandMadeState(9, 9, 9.f, {40, 70, 12, 0, 1, 0});
  EXPECT_FALSE(plug.StateMatches(full.GetData(), full.Size(), -4));
}

TEST(PluginIdentity, NamesVersionsApiAndEditorLimits)
{
  TestPlugin plug;
  EXPECT_STREQ(plug.GetPluginName(), "Brasmire");
  EXPECT_STREQ(plug.GetMfrName(), "Quillmarsh");
  EXPECT_EQ(plug.GetUniqueID(), 0x42726D31u); // 'B' 'r' 'm' '1'
  EXPECT_EQ(plug.GetPluginVersion(false), 0x00030000);
  EXPECT_EQ(plug.GetPluginVersion(true), 30000);
  EXPECT_EQ(plug.GetPluginVersionStr(), "v3.0.0");
  EXPECT_STREQ(plug.ApiName(), "AAX");
  EXPECT_EQ(plug.GetHost(), -1);
  EXPECT_EQ(plug.GetEditorWidth(), 732);
  EXPECT_EQ(plug.GetEditorHeight(), 208);
  EXPECT_EQ(plug.GetMinWidth(), 366);
  EXPECT_EQ(plug.GetMaxWidth(), 1464);
  EXPECT_EQ(plug.GetMinHeight(), 104);
  EXPECT_EQ(plug.GetMaxHeight(), 416);
  EXPECT_EQ(plug.BuildInfoString("Dec  9 2026", "15:04:05"),
            "v3.0.0 AAX (x86-64), built on Dec  9 2026 at 15:04 ");
  EXPECT_STREQ(iplug::PluginApiName(0), "VST2");
  EXPECT_STREQ(iplug::PluginApiName(7), "WEB");
  EXPECT_STREQ(iplug::PluginApiName(8), "LV2");
  EXPECT_STREQ(iplug::PluginApiName(9), "");
}

#include "TestPlugin.h"

#include "IPlug/Base64.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using iplug::ByteChunk;
using plugtest::PlainPlugin;
using plugtest::TestPlugin;

TEST(Presets, SlotsStartUninitialisedAndNamedEmpty)
{
  TestPlugin plug(TestPlugin::Setup(true, 3));
  EXPECT_EQ(plug.NPresets(), 3);
  for (int i = 0; i < 3; ++i)
  {
    EXPECT_STREQ(plug.PresetNameAt(i), "empty");
    EXPECT_FALSE(plug.GetPreset(i)->initialised);
  }
  EXPECT_STREQ(plug.PresetNameAt(3), "");
  EXPECT_STREQ(plug.PresetNameAt(-1), "");
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 0);
}

TEST(Presets, RecallingAnUninitialisedSlotNumbersUserPresets)
{
  TestPlugin plug(TestPlugin::Setup(true, 4));
  ASSERT_TRUE(plug.RecallPreset(2));
  EXPECT_STREQ(plug.PresetNameAt(2), "user preset 1");
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 2);
  ASSERT_TRUE(plug.RecallPreset(0));
  EXPECT_STREQ(plug.PresetNameAt(0), "user preset 2");
  // Two names contain "user preset": the next one is 3.
  ASSERT_TRUE(plug.RecallPreset(3));
  EXPECT_STREQ(plug.PresetNameAt(3), "user preset 3");

  EXPECT_FALSE(plug.RecallPreset(4));
  EXPECT_FALSE(plug.RecallPreset(-1));
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 3);
  EXPECT_FALSE(plug.RecallPreset(""));
  EXPECT_FALSE(plug.RecallPreset(static_cast<const char*>(nullptr)));
  EXPECT_FALSE(plug.RecallPreset("User Preset 1")); // names compare case-sensitively
  EXPECT_TRUE(plug.RecallPreset("user preset 1"));
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 2);
}

TEST(Presets, RecallRestoresTheSlotsStateAndTellsTheEditor)
{
  TestPlugin plug(TestPlugin::Setup(true, 2));
  plug.SetValues({10, 20, 30, 4, 1, 0});
  ASSERT_TRUE(plug.RecallPreset(1)); // captures the current state
  plug.SetValues({90, 80, 5, -4, 0, 1});
  plug.ClearRecords();
  ASSERT_TRUE(plug.RecallPreset(1));
  EXPECT_EQ(plug.Values(), (std::vector<double>{10, 20, 30, 4, 1, 0}));
  // AfterStateRestored: every parameter's normalised value goes to the editor.
  ASSERT_EQ(plug.delivered.size(), 6u);
  EXPECT_EQ(plug.delivered[2].idx, 2);
  EXPECT_DOUBLE_EQ(plug.delivered[2].value, 30.0 / 50.0);
  EXPECT_TRUE(plug.delivered[2].isNormalised);
}

TEST(Presets, ModifyAndFillFromState)
{
  TestPlugin plug(TestPlugin::Setup(true, 4));
  plug.SetValues({1, 2, 3, 4, 1, 1});
  plug.ModifyCurrentPreset("Crunch");
  EXPECT_STREQ(plug.PresetNameAt(0), "Crunch");
  EXPECT_TRUE(plug.GetPreset(0)->initialised);
  plug.FillPresetsFromState("Same", 2);
  EXPECT_STREQ(plug.PresetNameAt(1), "Same");
  EXPECT_STREQ(plug.PresetNameAt(2), "Same");
  EXPECT_STREQ(plug.PresetNameAt(3), "empty");
  plug.FillPresetsFromState();
  EXPECT_STREQ(plug.PresetNameAt(3), "Empty");
  ByteChunk state;
  plug.SerializeState(state);
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(plug.GetPreset(i)->chunk.IsEqual(state)) << i;

  const std::string longName(300, 'n');
  plug.ModifyCurrentPreset(longName.c_str());
  EXPECT_EQ(std::strlen(plug.PresetNameAt(0)), 255u);
  plug.ModifyCurrentPreset(""); // an empty name keeps the old one
  EXPECT_EQ(std::strlen(plug.PresetNameAt(0)), 255u);
}

TEST(Presets, PresetChunkRoundTripsBetweenInstances)
{
  TestPlugin a(TestPlugin::Setup(true, 3));
  a.SetValues({10, 20, 30, 4, 1, 0});
  a.ModifyCurrentPreset("First");
  a.SetValues({50, 60, 7, -8, 0, 1});
  a.RecallPreset(2);
  a.ModifyCurrentPreset("Third \xE2\x82\xAC");
  ByteChunk presets;
  ASSERT_TRUE(a.SerializePresets(presets));

  // Layout of the first slot: length, name, flag, 60-byte state.
  std::int32_t length;
  std::memcpy(&length, presets.GetData(), 4);
  EXPECT_EQ(length, 5);
  EXPECT_EQ(std::memcmp(presets.GetData() + 4, "First", 5), 0);
  EXPECT_EQ(presets.GetData()[9], 1);
  // Second slot follows the first's 60-byte state: "empty", not initialised.
  std::memcpy(&length, presets.GetData() + 70, 4);
  EXPECT_EQ(length, 5);
  EXPECT_EQ(presets.GetData()[79], 0);

  TestPlugin b(TestPlugin::Setup(true, 3));
  EXPECT_EQ(b.UnserializePresets(presets, 0), presets.Size());
  ByteChunk again;
  ASSERT_TRUE(b.SerializePresets(again));
  EXPECT_TRUE(again.IsEqual(presets));
  EXPECT_STREQ(b.PresetNameAt(2), "Third \xE2\x82\xAC");
}

TEST(Presets, HostilePresetNamesAreBoundedByTheChunkAndCut)
{
  TestPlugin plug(TestPlugin::Setup(true, 2));
  plug.ModifyCurrentPreset("Keep");

  // A length far beyond the chunk: short chunk, the slot keeps its name.
  ByteChunk huge;
  huge.Put(std::int32_t{1000000000});
  huge.PutBytes("abc", 3);
  EXPECT_EQ(plug.UnserializePresets(huge, 0), -1);
  EXPECT_STREQ(plug.PresetNameAt(0), "Keep");

  // A negative length reads as an empty name.
  ByteChunk negative;
  negative.Put(std::int32_t{-5});
  negative.Put(std::uint8_t{0});
  negative.Put(std::int32_t{2});
  negative.PutBytes("ok", 2);
  negative.Put(std::uint8_t{0});
  EXPECT_EQ(plug.UnserializePresets(negative, 0), negative.Size());
  EXPECT_STREQ(plug.PresetNameAt(0), "user preset 1"); // recalled after the loop: refilled
  EXPECT_STREQ(plug.PresetNameAt(1), "ok");

  // A 300-byte name is cut to 255 bytes; the bytes after it are still consumed.
  ByteChunk longName;
  longName.Put(std::int32_t{300});
  const std::string name(300, 'x');
  longName.PutBytes(name.data(), 300);
  longName.Put(std::uint8_t{1});
  ByteChunk state;
  plug.SerializeState(state);
  longName.PutChunk(state);
  longName.Put(std::int32_t{1});
  longName.PutBytes("y", 1);
  longName.Put(std::uint8_t{0});
  EXPECT_EQ(plug.UnserializePresets(longName, 0), longName.Size());
  EXPECT_EQ(std::string(plug.PresetNameAt(0)), std::string(255, 'x'));
  EXPECT_STREQ(plug.PresetNameAt(1), "y");
}

TEST(MakePreset, FromValuesNamedParamsChunkAndBlob)
{
  TestPlugin plug(TestPlugin::Setup(true, 5));
  plug.SetValues({11, 22, 33, 4.4, 1, 0});
  EXPECT_FALSE(plug.MakePreset("too few", {1, 2, 3}));
  ASSERT_TRUE(plug.MakePreset("Values", {1, 2, 3, 4, 0, 1}));
  EXPECT_TRUE(plug.GetPreset(0)->initialised);
  EXPECT_EQ(plug.GetPreset(0)->chunk.Size(), 48);

  // No pairs: every current value is copied.
  ASSERT_TRUE(plug.MakePresetFromNamedParams("Current", {}));
  ASSERT_TRUE(plug.MakePresetFromNamedParams("Some", {{2, 9.999e-8}, {4, 1}, {99, 5}}));
  auto slotValue = [&](int slot, int idx)
  {
    double v = -1;
    plug.GetPreset(slot)->chunk.Get(v, 8 * idx);
    return v;
  };
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(slotValue(1, i), plug.GetParam(i)->Value());
  EXPECT_TRUE(plug.GetPreset(1)->initialised);
  EXPECT_EQ(slotValue(2, 2), 9.999e-8); // an explicit value, even the old marker
  EXPECT_EQ(slotValue(2, 4), 1.0);
  EXPECT_EQ(slotValue(2, 0), 11.0);

  ByteChunk raw;
  raw.PutBytes("\x01\x02\x03", 3);
  ASSERT_TRUE(plug.MakePresetFromChunk("Raw", raw));
  EXPECT_TRUE(plug.GetPreset(3)->chunk.IsEqual(raw));

  // "YWJj" is "abc"; decoding stops at "=" and the rest stays zero.
  ASSERT_TRUE(plug.MakePresetFromBlob("Blob", "YW=Jj", 6));
  const ByteChunk& blob = plug.GetPreset(4)->chunk;
  ASSERT_EQ(blob.Size(), 6);
  EXPECT_EQ(blob.GetData()[0], 'a');
  for (int i = 1; i < 6; ++i)
    EXPECT_EQ(blob.GetData()[i], 0);

  // No uninitialised slot left: nothing happens.
  EXPECT_FALSE(plug.MakePreset("None", {1, 2, 3, 4, 0, 1}));
  EXPECT_FALSE(plug.MakePresetFromChunk("None", raw));
}

TEST(MakePreset, BlobSizesOutsideTheLimitAreRefused)
{
  TestPlugin plug(TestPlugin::Setup(true, 1));
  EXPECT_FALSE(plug.MakePresetFromBlob("x", "YWJj", 0));
  EXPECT_FALSE(plug.MakePresetFromBlob("x", "YWJj", -3));
  EXPECT_FALSE(plug.MakePresetFromBlob("x", "YWJj", 0x7FFFFFFF));
  EXPECT_FALSE(plug.GetPreset(0)->initialised);
}

TEST(MakePreset, RemoveUnusedKeepsTheOrderOfTheRest)
{
  TestPlugin plug(TestPlugin::Setup(true, 5));
  plug.RecallPreset(1);
  plug.ModifyCurrentPreset("B");
  plug.RecallPreset(3);
  plug.ModifyCurrentPreset("D");
  plug.RemoveUnusedPresets();
  ASSERT_EQ(plug.NPresets(), 2);
  EXPECT_STREQ(plug.PresetNameAt(0), "B");
  EXPECT_STREQ(plug.PresetNameAt(1), "D");
}

TEST(MakePreset, BlobFromAStateRestoresIt)
{
  TestPlugin a(TestPlugin::Setup(true, 1));
  a.SetValues({12, 34, 5, 6.7, 1, 0});
  ByteChunk state;
  a.SerializeState(state);
  const std::string text = iplug::Base64Encode(state.GetData(), state.Size());
  TestPlugin b(TestPlugin::Setup(true, 1));
  ASSERT_TRUE(b.MakePresetFromBlob("From text", text.c_str(), state.Size()));
  ASSERT_TRUE(b.RecallPreset(0));
  EXPECT_EQ(b.Values(), a.Values());
}

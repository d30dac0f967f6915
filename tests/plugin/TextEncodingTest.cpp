#include "IPlug/Base64.h"
#include "IPlug/IPlugVersion.h"
#include "IPlug/ParamSource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

using namespace iplug;

TEST(Base64, KnownTextsAndPadding)
{
  const std::uint8_t abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(Base64Encode(abc, 3), "YWJj");
  EXPECT_EQ(Base64Encode(abc, 2), "YWI=");
  const std::uint8_t zero[] = {0};
  EXPECT_EQ(Base64Encode(zero, 1), "AA==");
  const std::uint8_t high[] = {0xFB, 0xFF, 0xBF};
  EXPECT_EQ(Base64Encode(high, 3), "+/+/");
  EXPECT_EQ(Base64Encode(abc, 0), "");
}

TEST(Base64, DecodeRoundTripsAndStopsAtTheFirstForeignCharacter)
{
  std::mt19937 rng(12345);
  for (int size = 0; size < 40; ++size)
  {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    for (auto& b : bytes)
      b = static_cast<std::uint8_t>(rng());
    const std::string text = Base64Encode(bytes.data(), size);
    EXPECT_EQ(text.size() % 4, 0u);
    std::vector<std::uint8_t> back(static_cast<std::size_t>(size) + 1, 0xEE);
    EXPECT_EQ(Base64Decode(text.c_str(), back.data(), size), size);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), back.begin())) << size;
    EXPECT_EQ(back[static_cast<std::size_t>(size)], 0xEE); // never writes past size
  }

  // "YW=Jj": decoding stops at "=" after one byte; the rest of the buffer is zero.
  std::uint8_t out[6];
  std::fill(std::begin(out), std::end(out), 0x55);
  EXPECT_EQ(Base64Decode("YW=Jj", out, 6), 1);
  EXPECT_EQ(out[0], 'a');
  for (int i = 1; i < 6; ++i)
    EXPECT_EQ(out[i], 0);
  // Bounded by the buffer, not by the text.
  EXPECT_EQ(Base64Decode("YWJjYWJj", out, 2), 2);
  EXPECT_EQ(out[1], 'b');
  EXPECT_EQ(Base64Decode(nullptr, out, 6), 0);
  EXPECT_EQ(out[0], 0);
}

TEST(Version, TextAndDecimalForm)
{
  char text[32];
  VersionText(0x00030000, text, sizeof text);
  EXPECT_STREQ(text, "v3.0.0");
  EXPECT_EQ(VersionDecimal(0x00030000), 30000);
  VersionText(0x000A0B0C, text, sizeof text);
  EXPECT_STREQ(text, "v10.11.12");
  EXPECT_EQ(VersionDecimal(0x000A0B0C), 10 * 10000 + 11 * 100 + 12);
  VersionText(0x12340000, text, sizeof text);
  EXPECT_STREQ(text, "v4660.0.0");
  VersionText(0x00030000, text, 4);
  EXPECT_STREQ(text, "v3.");
}

TEST(ParamSource, DisplayTexts)
{
  EXPECT_STREQ(ParamSourceName(kReset), "Reset");
  EXPECT_STREQ(ParamSourceName(kHost), "Host");
  EXPECT_STREQ(ParamSourceName(kPresetRecall), "Preset");
  EXPECT_STREQ(ParamSourceName(kUI), "UI");
  EXPECT_STREQ(ParamSourceName(kDelegate), "Editor Delegate");
  EXPECT_STREQ(ParamSourceName(kRecompile), "Recompile");
  EXPECT_STREQ(ParamSourceName(kUnknown), "Unknown");
  EXPECT_STREQ(ParamSourceName(99), "Unknown");
  EXPECT_STREQ(ParamSourceName(-1), "Unknown");
}

#include "IPlug/ByteChunk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using iplug::ByteChunk;

TEST(ByteChunk, AppendsRawLittleEndianValuesWithoutGaps)
{
  ByteChunk chunk;
  EXPECT_EQ(chunk.Put(std::int32_t{0x01020304}), 4);
  EXPECT_EQ(chunk.Put(1.5f), 8);
  EXPECT_EQ(chunk.Put(-2.0), 16);
  ASSERT_EQ(chunk.Size(), 16);

  const std::uint8_t* d = chunk.GetData();
  EXPECT_EQ(d[0], 0x04);
  EXPECT_EQ(d[1], 0x03);
  EXPECT_EQ(d[2], 0x02);
  EXPECT_EQ(d[3], 0x01);
  // 1.5f = sign 0, exponent 127, mantissa 0x400000 -> 0x3FC00000.
  EXPECT_EQ(d[4], 0x00);
  EXPECT_EQ(d[5], 0x00);
  EXPECT_EQ(d[6], 0xC0);
  EXPECT_EQ(d[7], 0x3F);
  // -2.0 = sign 1, exponent 1024 -> 0xC000000000000000.
  for (int i = 8; i < 15; ++i)
    EXPECT_EQ(d[i], 0x00);
  EXPECT_EQ(d[15], 0xC0);

  std::int32_t i32 = 0;
  float f32 = 0;
  double f64 = 0;
  int pos = chunk.Get(i32, 0);
  pos = chunk.Get(f32, pos);
  pos = chunk.Get(f64, pos);
  EXPECT_EQ(pos, 16);
  EXPECT_EQ(i32, 0x01020304);
  EXPECT_EQ(f32, 1.5f);
  EXPECT_EQ(f64, -2.0);
}

TEST(ByteChunk, ShortReadFailsLeavesDestinationAndPoisonsTheChain)
{
  ByteChunk chunk;
  chunk.Put(std::int32_t{7});
  chunk.Put(std::int16_t{9});

  double d = 42.0;
  EXPECT_EQ(chunk.Get(d, 0), -1); // 8 bytes needed, 6 held
  EXPECT_EQ(d, 42.0);

  std::int32_t a = 0;
  std::int32_t b = -5;
  std::int32_t c = -6;
  int pos = chunk.Get(a, 0);
  EXPECT_EQ(pos, 4);
  pos = chunk.Get(b, pos); // only 2 bytes left
  EXPECT_EQ(pos, -1);
  pos = chunk.Get(c, pos);
  EXPECT_EQ(pos, -1);
  EXPECT_EQ(b, -5);
  EXPECT_EQ(c, -6);

  std::int16_t s = 0;
  EXPECT_EQ(chunk.Get(s, 4), 6); // exactly to the end is fine
  EXPECT_EQ(s, 9);
  EXPECT_EQ(chunk.Get(s, 5), -1);
  EXPECT_EQ(chunk.GetBytes(&s, -1, 0), -1);
  EXPECT_EQ(chunk.GetBytes(&s, 0, 6), 6);
  EXPECT_EQ(chunk.GetBytes(&s, 0, 7), -1);
  // A position near the integer limit must not wrap around into the buffer.
  EXPECT_EQ(chunk.Get(s, 0x7FFFFFFF), -1);
}

TEST(ByteChunk, ResizeKeepsOrDropsContentsAndZeroesNewBytes)
{
  ByteChunk chunk(16);
  const std::uint8_t bytes[] = {1, 2, 3, 4, 5};
  chunk.PutBytes(bytes, 5);
  EXPECT_EQ(chunk.Resize(40), 40);
  EXPECT_EQ(std::memcmp(chunk.GetData(), bytes, 5), 0);
  for (int i = 5; i < 40; ++i)
    EXPECT_EQ(chunk.GetData()[i], 0) << i;
  EXPECT_EQ(chunk.Resize(3), 3);
  EXPECT_EQ(chunk.Resize(5), 5);
  EXPECT_EQ(chunk.GetData()[3], 0); // shrinking then growing never resurrects old bytes
  EXPECT_EQ(chunk.Resize(4, false), 4);
  EXPECT_EQ(chunk.GetData()[0], 0);
  EXPECT_EQ(chunk.Resize(-1), -1);
  EXPECT_EQ(chunk.Size(), 4);
  chunk.Clear();
  EXPECT_EQ(chunk.Size(), 0);
  EXPECT_EQ(chunk.PutBytes(nullptr, 3), -1);
  EXPECT_EQ(chunk.PutBytes(bytes, -2), -1);
  EXPECT_EQ(chunk.Size(), 0);
}

TEST(ByteChunk, CopiesAndMovesCompareByContent)
{
  ByteChunk a;
  for (int i = 0; i < 5000; ++i) // past one granule
    a.Put(static_cast<std::uint8_t>(i * 7));
  ByteChunk b;
  ASSERT_TRUE(b.CopyFrom(a));
  EXPECT_TRUE(a.IsEqual(b));
  b.GetData()[4999] ^= 1;
  EXPECT_FALSE(a.IsEqual(b));
  ByteChunk c(std::move(a));
  EXPECT_EQ(c.Size(), 5000);
  EXPECT_EQ(a.Size(), 0);
  EXPECT_EQ(c.GetData()[4999], static_cast<std::uint8_t>(4999 * 7));
  ByteChunk empty;
  EXPECT_TRUE(empty.IsEqual(a));
  EXPECT_EQ(c.PutChunk(c), 10000); // appending a chunk to itself
  EXPECT_EQ(c.GetData()[9999], static_cast<std::uint8_t>(4999 * 7));
}

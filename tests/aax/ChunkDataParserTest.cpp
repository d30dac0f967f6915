#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CChunkDataParser.h"
#include "tests/aax/HostServicesFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace
{
// A host record whose data area is exactly size bytes long, so that any read
// or write beyond it is caught by the sanitizers.
class Record
{
public:
  explicit Record(std::size_t size, std::int32_t version = 0)
      : mBytes(AAX_CHUNK_HEADER_SIZE + size, 0xEE)
  {
    std::fill_n(mBytes.begin(), AAX_CHUNK_HEADER_SIZE, 0);
    Get()->mSize = static_cast<std::int32_t>(size);
    Get()->mVersion = version;
  }
  // A record holding exactly these data bytes.
  static Record WithData(const std::vector<unsigned char>& data)
  {
    Record record(data.size());
    if (!data.empty()) std::memcpy(AAX_ChunkData(record.Get()), data.data(), data.size());
    return record;
  }
  AAX_ChunkRecord* Get() { return reinterpret_cast<AAX_ChunkRecord*>(mBytes.data()); }
  std::vector<unsigned char> Data() const
  {
    const auto* record = reinterpret_cast<const AAX_ChunkRecord*>(mBytes.data());
    return {mBytes.begin() + AAX_CHUNK_HEADER_SIZE,
            mBytes.begin() + AAX_CHUNK_HEADER_SIZE + record->mSize};
  }

private:
  std::vector<unsigned char> mBytes;
};

std::vector<unsigned char> BigEndian(std::uint64_t value, int bytes)
{
  std::vector<unsigned char> out;
  for (int i = bytes - 1; i >= 0; --i)
    out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
  return out;
}

void Append(std::vector<unsigned char>& to, const std::vector<unsigned char>& bytes)
{
  to.insert(to.end(), bytes.begin(), bytes.end());
}

void Append(std::vector<unsigned char>& to, const std::string& text)
{
  to.insert(to.end(), text.begin(), text.end());
}

const std::vector<unsigned char> kMarker = {1, 1, 1, 1};
} // namespace

using ChunkWrite = HostServicesFixture;

TEST_F(ChunkWrite, EmptyContainerIsOnlyTheMarker)
{
  AAX_CChunkDataParser parser;
  EXPECT_EQ(parser.ContainerSize(), 4);
  Record record(4);
  record.Get()->mSize = 0;
  EXPECT_EQ(parser.GetChunkData(record.Get()), 0);
  EXPECT_EQ(record.Get()->mSize, 4);
  EXPECT_EQ(record.Data(), kMarker);
}

TEST_F(ChunkWrite, DoubleWithOneCharacterNameTakesSixteenBigEndianBytes)
{
  AAX_CChunkDataParser parser;
  const double value = -1234.5678;
  parser.AppendDouble("x", value);
  ASSERT_EQ(parser.ContainerSize(), 16);
  Record record(16);
  ASSERT_EQ(parser.GetChunkData(record.Get()), 0);
  std::vector<unsigned char> expected = kMarker;
  Append(expected, std::string("d_x", 3));
  expected.push_back(0);
  Append(expected, BigEndian(std::bit_cast<std::uint64_t>(value), 8));
  EXPECT_EQ(record.Data(), expected);
}

TEST_F(ChunkWrite, EveryTypeHasItsPrefixPaddingAndValueLayout)
{
  AAX_CChunkDataParser parser;
  parser.AppendInt32("ab", -2);      // prefix + 2 + zero = 5 bytes, padded to 8
  parser.AppendFloat("f", 0.5f);     // 4 + 4
  parser.AppendInt16("s16", -3);     // 6 padded to 8, then 2 bytes and 2 zero bytes
  parser.AppendText("txt", "hello"); // 6 padded to 8, "hello\0" padded to 8
  // Sizes from the layout: 4 + (8 + 4) + (4 + 4) + (8 + 4) + (8 + 8).
  ASSERT_EQ(parser.ContainerSize(), 52);
  Record record(52);
  ASSERT_EQ(parser.GetChunkData(record.Get()), 0);

  std::vector<unsigned char> expected = kMarker;
  Append(expected, std::string("l_ab\0\0\0\0", 8));
  Append(expected, BigEndian(static_cast<std::uint32_t>(-2), 4));
  Append(expected, std::string("f_f\0", 4));
  Append(expected, BigEndian(std::bit_cast<std::uint32_t>(0.5f), 4));
  Append(expected, std::string("s_s16\0\0\0", 8));
  Append(expected, BigEndian(static_cast<std::uint16_t>(-3), 2));
  Append(expected, std::vector<unsigned char>{0, 0});
  Append(expected, std::string("r_txt\0\0\0", 8));
  Append(expected, std::string("hello\0\0\0", 8));
  EXPECT_EQ(record.Data(), expected);
}

TEST_F(ChunkWrite, AContainerLargerThanTheRoomGivesMinus333AndATrace)
{
  AAX_CChunkDataParser parser;
  parser.AppendDouble("x", 1.0);
  Record record(16);
  record.Get()->mSize = 7;
  EXPECT_EQ(parser.GetChunkData(record.Get(), 12), -333);
  EXPECT_EQ(record.Get()->mSize, 7); // left as it was
  // Zeroed up to the room, nothing beyond.
  const auto* data = AAX_ChunkData(record.Get());
  EXPECT_EQ(data[4], 0);
  EXPECT_EQ(data[12], 0xEE);
  const auto traces = Services().Traces();
  ASSERT_EQ(traces.size(), 1u);
  EXPECT_EQ(traces[0].priority, 0x8000000);
  EXPECT_EQ(traces[0].message,
            "AAX_CChunkDataParser::GetChunkData ERROR: aborting: chunk data will overflow buffer");
  EXPECT_EQ(parser.GetChunkData(nullptr), -333);
}

TEST(ChunkRoundTrip, TextThenDoubleLoadsBackExactly)
{
  AAX_CChunkDataParser writer;
  writer.AppendText("t", "x");
  writer.AppendDouble("d", 2.5);
  Record record(static_cast<std::size_t>(writer.ContainerSize()), 9);
  ASSERT_EQ(writer.GetChunkData(record.Get()), 0);

  AAX_CChunkDataParser reader;
  reader.LoadContainer(record.Get());
  EXPECT_EQ(reader.ContainerVersion(), 9);
  ASSERT_EQ(reader.Entries().size(), 2u);
  EXPECT_EQ(reader.Entries()[0].name, "t");
  EXPECT_EQ(reader.Entries()[0].type, AAX_CChunkDataParser::eType_Text);
  EXPECT_EQ(reader.Entries()[0].text, "x");
  EXPECT_EQ(reader.Entries()[1].name, "d");
  EXPECT_EQ(reader.Entries()[1].type, AAX_CChunkDataParser::eType_Double);
  double d = 0.0;
  EXPECT_TRUE(reader.ReadDouble("d", &d));
  EXPECT_EQ(d, 2.5);
}

TEST(ChunkRoundTrip, AllTypesSurviveAndWriteIdenticalBytesAgain)
{
  AAX_CChunkDataParser writer;
  writer.AppendFloat("gain", -0.25f);
  writer.AppendInt32("count", -123456789);
  writer.AppendDouble("freq", 1234.0625);
  writer.AppendInt16("mode", -2);
  writer.AppendText("label", "Out Gain");
  writer.AppendText("empty", "");
  Record first(static_cast<std::size_t>(writer.ContainerSize()));
  ASSERT_EQ(writer.GetChunkData(first.Get()), 0);

  AAX_CChunkDataParser reader;
  reader.LoadContainer(first.Get());
  float f = 0;
  std::int32_t i = 0;
  double d = 0;
  std::int16_t s = 0;
  std::string t;
  EXPECT_TRUE(reader.ReadFloat("gain", &f));
  EXPECT_EQ(f, -0.25f);
  EXPECT_TRUE(reader.ReadInt32("count", &i));
  EXPECT_EQ(i, -123456789);
  EXPECT_TRUE(reader.ReadDouble("freq", &d));
  EXPECT_EQ(d, 1234.0625);
  EXPECT_TRUE(reader.ReadInt16("mode", &s));
  EXPECT_EQ(s, -2);
  EXPECT_EQ(reader.Entries()[3].numeric, 0xFFFEu); // zero-extended on load
  EXPECT_TRUE(reader.ReadText("label", &t));
  EXPECT_EQ(t, "Out Gain");
  EXPECT_TRUE(reader.ReadText("empty", &t));
  EXPECT_EQ(t, "");

  Record second(static_cast<std::size_t>(reader.ContainerSize()));
  ASSERT_EQ(reader.GetChunkData(second.Get()), 0);
  EXPECT_EQ(first.Data(), second.Data());
}

TEST(ChunkLookup, ReadsNeedTheRightTypeAndLeaveOutUntouched)
{
  AAX_CChunkDataParser parser;
  parser.AppendInt32("a", 5);
  double d = 7.0;
  EXPECT_FALSE(parser.ReadDouble("a", &d));
  EXPECT_EQ(d, 7.0);
  EXPECT_FALSE(parser.ReadDouble("missing", &d));
  EXPECT_FALSE(parser.SetDoubleValue("a", 1.0));
  parser.AppendDouble("b", 1.0);
  EXPECT_TRUE(parser.SetDoubleValue("b", 3.0));
  EXPECT_TRUE(parser.ReadDouble("b", &d));
  EXPECT_EQ(d, 3.0);
}

TEST(ChunkLookup, DuplicateNamesAreFoundAfterTheLastHitFirst)
{
  AAX_CChunkDataParser parser;
  parser.AppendInt32("a", 1);
  parser.AppendInt32("b", 10);
  parser.AppendInt32("a", 2);
  std::int32_t v = 0;
  ASSERT_TRUE(parser.ReadInt32("a", &v));
  EXPECT_EQ(v, 1);
  ASSERT_TRUE(parser.ReadInt32("a", &v));
  EXPECT_EQ(v, 2); // after the hit at 0
  ASSERT_TRUE(parser.ReadInt32("a", &v));
  EXPECT_EQ(v, 1); // the hit was the last entry: the search starts over
  ASSERT_TRUE(parser.ReadInt32("b", &v));
  EXPECT_EQ(v, 10);
  ASSERT_TRUE(parser.ReadInt32("a", &v));
  EXPECT_EQ(v, 2); // after the hit at 1
  parser.ClearEntries();
  EXPECT_FALSE(parser.ReadInt32("a", &v));
  EXPECT_EQ(parser.ContainerVersion(), -1);
}

TEST(ChunkLoad, RecordsWithoutMarkerOrTooShortLoadEmpty)
{
  AAX_CChunkDataParser parser;
  parser.AppendInt32("old", 1);
  Record unmarked = Record::WithData({1, 1, 1, 0, 'l', '_', 'a', 0, 0, 0, 0, 1});
  parser.LoadContainer(unmarked.Get());
  EXPECT_TRUE(parser.Entries().empty());
  Record onlyMarker = Record::WithData(kMarker);
  parser.LoadContainer(onlyMarker.Get());
  EXPECT_TRUE(parser.Entries().empty());
  Record negative = Record::WithData(kMarker);
  negative.Get()->mSize = -5;
  parser.LoadContainer(negative.Get());
  EXPECT_TRUE(parser.Entries().empty());
  std::int32_t v = 0;
  EXPECT_FALSE(parser.ReadInt32("old", &v));
}

// Loading never reads past the record: an entry whose name, value or text runs
// beyond the record's size ends the load, keeping the entries before it.
TEST(ChunkLoad, AnEntryThatDoesNotFitEndsTheLoadKeepingEarlierEntries)
{
  std::vector<unsigned char> good = kMarker;
  Append(good, std::string("l_a\0", 4));
  Append(good, BigEndian(42, 4));

  {
    std::vector<unsigned char> bytes = good;
    Append(bytes, std::string("d_unterminated")); // name runs to the end
    Record record = Record::WithData(bytes);
    AAX_CChunkDataParser parser;
    parser.LoadContainer(record.Get());
    ASSERT_EQ(parser.Entries().size(), 1u);
    std::int32_t v = 0;
    EXPECT_TRUE(parser.ReadInt32("a", &v));
    EXPECT_EQ(v, 42);
  }
  {
    std::vector<unsigned char> bytes = good;
    Append(bytes, std::string("d_x\0", 4));
    Append(bytes, std::vector<unsigned char>{1, 2, 3, 4}); // half a double
    Record record = Record::WithData(bytes);
    AAX_CChunkDataParser parser;
    parser.LoadContainer(record.Get());
    EXPECT_EQ(parser.Entries().size(), 1u);
  }
  {
    std::vector<unsigned char> bytes = good;
    Append(bytes, std::string("r_t\0", 4));
    Append(bytes, std::string("no terminator")); // text runs to the end
    Record record = Record::WithData(bytes);
    AAX_CChunkDataParser parser;
    parser.LoadContainer(record.Get());
    EXPECT_EQ(parser.Entries().size(), 1u);
  }
  {
    std::vector<unsigned char> bytes = good;
    Append(bytes, std::string("s_q\0", 4));
    Append(bytes, std::vector<unsigned char>{0x80}); // one byte of a 2-byte value
    Record record = Record::WithData(bytes);
    AAX_CChunkDataParser parser;
    parser.LoadContainer(record.Get());
    EXPECT_EQ(parser.Entries().size(), 1u);
  }
}

TEST(ChunkLoad, UnknownPrefixesAndShortNamesBecomeTypelessEntries)
{
  std::vector<unsigned char> bytes = kMarker;
  Append(bytes, std::string("z_q\0", 4));   // unknown type: no value follows
  Append(bytes, std::string("l\0\0\0", 4)); // a 1-character name: empty entry name
  Append(bytes, BigEndian(7, 4));
  Record record = Record::WithData(bytes);
  AAX_CChunkDataParser parser;
  parser.LoadContainer(record.Get());
  ASSERT_EQ(parser.Entries().size(), 2u);
  EXPECT_EQ(parser.Entries()[0].type, AAX_CChunkDataParser::eType_Unknown);
  EXPECT_EQ(parser.Entries()[0].name, "q");
  EXPECT_EQ(parser.Entries()[0].numeric, 0u);
  EXPECT_EQ(parser.Entries()[1].type, AAX_CChunkDataParser::eType_Int32);
  EXPECT_EQ(parser.Entries()[1].name, "");
  EXPECT_EQ(parser.Entries()[1].numeric, 7u);
}

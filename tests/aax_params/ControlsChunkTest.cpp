// The default state chunk ('elck') written, compared and restored by the host,
// checked against an encoder written here from the container layout.

#include "tests/aax_params/ParamsHost.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

using namespace paramstest;

namespace
{
std::size_t RoundUp4(std::size_t n)
{
  return (n + 3) / 4 * 4;
}

// The container's data bytes, built entry by entry.
class Container
{
public:
  Container() { mBytes = {1, 1, 1, 1}; }

  Container& Double(const std::string& name, double value)
  {
    Header('d', name);
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    for (int shift = 56; shift >= 0; shift -= 8)
      mBytes.push_back(static_cast<unsigned char>(bits >> shift));
    return *this;
  }
  Container& Int32(const std::string& name, std::int32_t value)
  {
    Header('l', name);
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8)
      mBytes.push_back(static_cast<unsigned char>(bits >> shift));
    return *this;
  }
  const std::vector<unsigned char>& Bytes() const { return mBytes; }

private:
  void Header(char type, const std::string& name)
  {
    mBytes.push_back(static_cast<unsigned char>(type));
    mBytes.push_back('_');
    mBytes.insert(mBytes.end(), name.begin(), name.end());
    mBytes.push_back(0);
    mBytes.resize(RoundUp4(mBytes.size()), 0);
  }
  std::vector<unsigned char> mBytes;
};

// A host-allocated record: header, then room for size data bytes.
struct Record
{
  explicit Record(std::size_t size, AAX_CTypeID id = kControls)
      : storage((AAX_CHUNK_HEADER_SIZE + size + 7) / 8, 0)
  {
    Get()->mSize = static_cast<std::int32_t>(size);
    Get()->mChunkID = id;
  }
  Record(const std::vector<unsigned char>& data, std::int32_t sizeField) : Record(data.size())
  {
    std::memcpy(AAX_ChunkData(Get()), data.data(), data.size());
    Get()->mSize = sizeField;
  }
  AAX_ChunkRecord* Get() { return reinterpret_cast<AAX_ChunkRecord*>(storage.data()); }
  std::vector<unsigned char> Data()
  {
    return {AAX_ChunkData(Get()), AAX_ChunkData(Get()) + Get()->mSize};
  }
  std::vector<std::uint64_t> storage;
};

// The chunk of the module's parameters at their current values, encoded here.
Container Expected(const std::vector<double>& normals)
{
  // normals: "1", "2", "3", "4", "5" as the host sees them.
  Container c;
  c.Double("1", normals[0] * 300.0 - 100.0);
  c.Int32("2", static_cast<std::int32_t>(std::lround(normals[1] * 2)));
  c.Int32("3", static_cast<std::int32_t>(std::lround(normals[2])));
  c.Int32("4", 3);
  c.Double("5", normals[4] * normals[4]);
  c.Int32(kIds[6], 7);
  c.Int32("PreviewID", 0);
  c.Int32(kIds[8], 0);
  c.Int32(kIds[9], 0);
  return c;
}
} // namespace

TEST_F(ParamsHostTest, ChunkIdsAndSizesAreChecked)
{
  std::int32_t count = 0;
  ASSERT_EQ(Effect().ChunkCount(&count), AAX_SUCCESS);
  EXPECT_EQ(count, 1);
  AAX_CTypeID id = 1;
  ASSERT_EQ(Effect().ChunkIdAt(0, &id), AAX_SUCCESS);
  EXPECT_EQ(id, kControls);
  EXPECT_EQ(Effect().ChunkIdAt(1, &id), AAX_ERROR_INVALID_CHUNK_INDEX);
  EXPECT_EQ(id, 0u);
  std::uint32_t size = 99;
  EXPECT_EQ(Effect().ChunkSize(AAX_FourCC("Brm1"), &size), AAX_ERROR_INVALID_CHUNK_ID);
  EXPECT_EQ(size, 0u);

  // Writing before the host asked for the size is refused.
  Record record(256);
  EXPECT_EQ(Effect().WriteChunk(kControls, record.Get()), AAX_ERROR_INCORRECT_CHUNK_SIZE);
  EXPECT_EQ(Effect().WriteChunk(AAX_FourCC("Brm1"), record.Get()), AAX_ERROR_INVALID_CHUNK_ID);
  EXPECT_EQ(Effect().ApplyChunk(AAX_FourCC("Brm1"), record.Get()), AAX_ERROR_INVALID_CHUNK_ID);
}

TEST_F(ParamsHostTest, DefaultChunkHoldsEveryParameterButTheBypass)
{
  ASSERT_EQ(Effect().ApplyHostParamValue("1", LevelNormal(12.5), 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().ApplyHostParamValue("2", 0.5, 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().ApplyHostParamValue("", 1.0, 1), AAX_SUCCESS);
  const Container expected = Expected({LevelNormal(12.5), 0.5, 0.0, 0.5, 0.5});

  std::uint32_t size = 0;
  ASSERT_EQ(Effect().ChunkSize(kControls, &size), AAX_SUCCESS);
  // 4 + (4+8) + 3*(4+4) + (4+8) + 3*(36+4) + (12+4): computed entry by entry above.
  ASSERT_EQ(size, expected.Bytes().size());
  EXPECT_EQ(size, 188u);
  Record record(size);
  record.Get()->mVersion = 77;
  ASSERT_EQ(Effect().WriteChunk(kControls, record.Get()), AAX_SUCCESS);
  EXPECT_EQ(record.Get()->mSize, static_cast<std::int32_t>(size));
  EXPECT_EQ(record.Get()->mVersion, -1);
  char name[32] = "Complete Controls State";
  EXPECT_EQ(std::memcmp(record.Get()->mName, name, sizeof name), 0);
  EXPECT_EQ(record.Data(), expected.Bytes());
}

TEST_F(ParamsHostTest, DefaultChunkRoundTripsAndCompares)
{
  ASSERT_EQ(Effect().ApplyHostParamValue("1", 0.8, 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().ApplyHostParamValue("3", 1.0, 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().ApplyHostParamValue("5", 0.3, 1), AAX_SUCCESS);
  std::uint32_t size = 0;
  ASSERT_EQ(Effect().ChunkSize(kControls, &size), AAX_SUCCESS);
  Record saved(size);
  ASSERT_EQ(Effect().WriteChunk(kControls, saved.Get()), AAX_SUCCESS);
  saved.Get()->mChunkID = kControls;

  bool equal = false;
  ASSERT_EQ(Effect().CompareChunk(saved.Get(), &equal), AAX_SUCCESS);
  EXPECT_TRUE(equal);
  // The bypass is not in the chunk: changing it keeps the chunks equal.
  ASSERT_EQ(Effect().ApplyHostParamValue("", 1.0, 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().CompareChunk(saved.Get(), &equal), AAX_SUCCESS);
  EXPECT_TRUE(equal);

  ASSERT_EQ(Effect().ApplyHostParamValue("1", 0.1, 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().ApplyHostParamValue("3", 0.0, 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().CompareChunk(saved.Get(), &equal), AAX_SUCCESS);
  EXPECT_FALSE(equal);

  const std::int32_t changesBefore = Changes();
  ASSERT_EQ(Effect().ApplyChunk(kControls, saved.Get()), AAX_SUCCESS);
  EXPECT_NEAR(Normal("1"), 0.8, 1e-12);
  EXPECT_EQ(Normal("3"), 1.0);
  EXPECT_NEAR(Normal("5"), 0.3, 1e-12);
  EXPECT_EQ(Normal(""), 1.0);
  EXPECT_EQ(Changes(), changesBefore + 2);
  ASSERT_EQ(Effect().CompareChunk(saved.Get(), &equal), AAX_SUCCESS);
  EXPECT_TRUE(equal);

  // A record of another chunk counts as equal.
  Record other(4, AAX_FourCC("Brm1"));
  equal = false;
  ASSERT_EQ(Effect().CompareChunk(other.Get(), &equal), AAX_SUCCESS);
  EXPECT_TRUE(equal);
}

TEST_F(ParamsHostTest, CompareNarrowsDoublesToFloat)
{
  ASSERT_EQ(Effect().ApplyHostParamValue("1", LevelNormal(10.0), 1), AAX_SUCCESS);
  // 10 + 1e-9 is the same float as 10; 10.001 is not.
  Container close = Expected({LevelNormal(10.0), 0.0, 0.0, 0.5, 0.5});
  Container near = Container()
                       .Double("1", 10.0 + 1e-9)
                       .Int32("2", 0)
                       .Int32("3", 0)
                       .Int32("4", 3)
                       .Double("5", 0.25)
                       .Int32(kIds[6], 7)
                       .Int32("PreviewID", 0)
                       .Int32(kIds[8], 0)
                       .Int32(kIds[9], 0);
  Container far = Container()
                      .Double("1", 10.001)
                      .Int32("2", 0)
                      .Int32("3", 0)
                      .Int32("4", 3)
                      .Double("5", 0.25)
                      .Int32(kIds[6], 7)
                      .Int32("PreviewID", 0)
                      .Int32(kIds[8], 0)
                      .Int32(kIds[9], 0);
  bool equal = false;
  Record a(close.Bytes(), static_cast<std::int32_t>(close.Bytes().size()));
  ASSERT_EQ(Effect().CompareChunk(a.Get(), &equal), AAX_SUCCESS);
  EXPECT_TRUE(equal);
  Record b(near.Bytes(), static_cast<std::int32_t>(near.Bytes().size()));
  ASSERT_EQ(Effect().CompareChunk(b.Get(), &equal), AAX_SUCCESS);
  EXPECT_TRUE(equal);
  Record c(far.Bytes(), static_cast<std::int32_t>(far.Bytes().size()));
  ASSERT_EQ(Effect().CompareChunk(c.Get(), &equal), AAX_SUCCESS);
  EXPECT_FALSE(equal);
  // A missing entry makes the chunks differ.
  Container missing = Container().Double("1", 10.0).Int32("2", 0);
  Record d(missing.Bytes(), static_cast<std::int32_t>(missing.Bytes().size()));
  equal = true;
  ASSERT_EQ(Effect().CompareChunk(d.Get(), &equal), AAX_SUCCESS);
  EXPECT_FALSE(equal);
}

TEST_F(ParamsHostTest, HostileChunkValuesAreConfinedToTheRanges)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Container hostile = Container()
                          .Double("1", nan)
                          .Int32("2", std::numeric_limits<std::int32_t>::min())
                          .Int32("3", 1000)
                          .Int32("4", -7)
                          .Double("5", inf)
                          .Int32("PreviewID", -5);
  Record record(hostile.Bytes(), static_cast<std::int32_t>(hostile.Bytes().size()));
  ASSERT_EQ(Effect().ApplyChunk(kControls, record.Get()), AAX_SUCCESS);
  EXPECT_EQ(Normal("1"), 0.0);
  EXPECT_EQ(Normal("2"), 0.0);
  EXPECT_EQ(Normal("3"), 1.0);
  EXPECT_EQ(Normal("4"), 0.5);
  EXPECT_EQ(Normal("5"), 1.0);
  EXPECT_EQ(Normal("PreviewID"), 1.0);
  EXPECT_EQ(ValueText("1", 32), "-100.00dB");
}

TEST_F(ParamsHostTest, WrongTypesAndTruncatedRecordsRestoreOnlyWhatIsWhole)
{
  ASSERT_EQ(Effect().ApplyHostParamValue("1", 0.5, 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().ApplyHostParamValue("2", 0.5, 1), AAX_SUCCESS);
  // "1" is a double parameter: an integer entry does not fit it; "2" is int: a double does not.
  Container wrong = Container().Int32("1", 150).Double("2", 0.0);
  Record a(wrong.Bytes(), static_cast<std::int32_t>(wrong.Bytes().size()));
  ASSERT_EQ(Effect().ApplyChunk(kControls, a.Get()), AAX_SUCCESS);
  EXPECT_DOUBLE_EQ(Normal("1"), 0.5);
  EXPECT_EQ(Normal("2"), 0.5);

  // The size field ends inside the second entry's value: only the first applies.
  Container two = Container().Int32("3", 1).Double("1", 50.0);
  const std::int32_t cut = static_cast<std::int32_t>(two.Bytes().size()) - 3;
  Record b(two.Bytes(), cut);
  ASSERT_EQ(Effect().ApplyChunk(kControls, b.Get()), AAX_SUCCESS);
  EXPECT_EQ(Normal("3"), 1.0);
  EXPECT_DOUBLE_EQ(Normal("1"), 0.5);

  // No marker, an empty record and a negative size restore nothing.
  for (std::int32_t sizeField : {0, 3, -40})
  {
    Record c(two.Bytes(), sizeField);
    ASSERT_EQ(Effect().ApplyChunk(kControls, c.Get()), AAX_SUCCESS);
  }
  std::vector<unsigned char> unmarked = two.Bytes();
  unmarked[0] = 2;
  Record d(unmarked, static_cast<std::int32_t>(unmarked.size()));
  ASSERT_EQ(Effect().ApplyChunk(kControls, d.Get()), AAX_SUCCESS);
  EXPECT_DOUBLE_EQ(Normal("1"), 0.5);
  EXPECT_EQ(Normal("3"), 1.0);
}

// Parameter traffic and state chunks of the product module, as the host sees them.

#include "tests/module/ModuleHost.h"

#include <cstring>

namespace moduletest
{
namespace
{

using Event = HostAutomationDelegate::Event;

std::string IdAt(HostInstance& instance, int index)
{
  HostString text;
  EXPECT_EQ(instance.Effect().ParamIdAt(index, &text), AAX_SUCCESS);
  return text.Get();
}

std::string NameOf(HostInstance& instance, const char* id)
{
  HostString text;
  EXPECT_EQ(instance.Effect().ParamName(id, &text), AAX_SUCCESS);
  return text.Get();
}

std::string TextOf(HostInstance& instance, const char* id, double normalised)
{
  HostString text;
  EXPECT_EQ(instance.Effect().ParamTextFromValue(id, normalised, &text, 32), AAX_SUCCESS);
  return text.Get();
}

double Normal(HostInstance& instance, const char* id)
{
  double value = -1.0;
  EXPECT_EQ(instance.Effect().ParamNormal(id, &value), AAX_SUCCESS);
  return value;
}

// A host chunk record with room for `bytes` of data.
std::vector<std::uint64_t> ChunkBuffer(std::size_t bytes)
{
  return std::vector<std::uint64_t>((AAX_CHUNK_HEADER_SIZE + bytes + 7) / 8, 0);
}

TEST_F(ModuleTest, SevenHostParametersAfterInitialisation)
{
  HostInstance& instance = Make(kStereo);
  std::int32_t count = 0;
  ASSERT_EQ(instance.Effect().ParamCount(&count), AAX_SUCCESS);
  ASSERT_EQ(count, 7);
  const char* names[] = {"Master Bypass", "Mix",          "Tone",  "Drive",
                         "Output",        "Oversampling", "Bypass"};
  for (int i = 0; i < 7; ++i)
  {
    const std::string id = IdAt(instance, i);
    EXPECT_EQ(id, i == 0 ? std::string() : std::to_string(i));
    EXPECT_EQ(NameOf(instance, id.c_str()), names[i]);
    bool automatable = false;
    EXPECT_EQ(instance.Effect().ParamIsAutomatable(id.c_str(), &automatable), AAX_SUCCESS);
    EXPECT_TRUE(automatable) << id;
  }
  HostString bypassId("x");
  EXPECT_EQ(instance.Effect().MasterBypassParamId(&bypassId), AAX_SUCCESS);
  EXPECT_STREQ(bypassId.Get(), "");
  // Every host parameter is registered with the host's automation.
  const std::set<std::string> registered = instance.Automation().Registered();
  EXPECT_EQ(registered, (std::set<std::string>{"", "1", "2", "3", "4", "5", "6"}));
  ExpectNoAssertions();
}

TEST_F(ModuleTest, StepsTypesAndDefaultsFollowEachParametersKind)
{
  HostInstance& instance = Make(kStereo);
  struct Expected
  {
    const char* id;
    std::int32_t steps;
    std::int32_t type;
    double defaultNormal;
  };
  // Defaults: Mix 100 of 0..100, Tone 50, Drive 0 of 0..50, Output 0 of -15..15,
  // Oversampling 0 of 0..1, Bypass 1 of 0..1.
  const Expected expected[] = {{"", 2, 0, 0.0},    {"1", 128, 1, 1.0}, {"2", 128, 1, 0.5},
                               {"3", 128, 1, 0.0}, {"4", 128, 1, 0.5}, {"5", 128, 1, 0.0},
                               {"6", 128, 1, 1.0}};
  for (const Expected& e : expected)
  {
    SCOPED_TRACE(e.id);
    std::int32_t steps = 0;
    std::int32_t type = -1;
    double normal = -1.0;
    EXPECT_EQ(instance.Effect().ParamStepCount(e.id, &steps), AAX_SUCCESS);
    EXPECT_EQ(instance.Effect().ParamTypeCode(e.id, &type), AAX_SUCCESS);
    EXPECT_EQ(instance.Effect().ParamDefaultNormal(e.id, &normal), AAX_SUCCESS);
    EXPECT_EQ(steps, e.steps);
    EXPECT_EQ(type, e.type);
    EXPECT_DOUBLE_EQ(normal, e.defaultNormal);
    EXPECT_DOUBLE_EQ(Normal(instance, e.id), e.defaultNormal);
  }
}

TEST_F(ModuleTest, OversamplingShowsWholeNumbersNotItsDisplayTexts)
{
  HostInstance& instance = Make(kStereo);
  EXPECT_EQ(TextOf(instance, "5", 0.0), "0");
  EXPECT_EQ(TextOf(instance, "5", 0.49), "0");
  EXPECT_EQ(TextOf(instance, "5", 0.5), "1");
  EXPECT_EQ(TextOf(instance, "5", 1.0), "1");
  // Real parameters: two decimals with the unit.
  EXPECT_EQ(TextOf(instance, "4", 0.0), "-15.00dB");
  EXPECT_EQ(TextOf(instance, "3", 0.5), "25.00dB");
  EXPECT_EQ(TextOf(instance, "", 0.0), "bypass");
  EXPECT_EQ(TextOf(instance, "", 1.0), "on");
}

TEST_F(ModuleTest, HostValuesReachTheEffectAndUnknownIdentifiersAreRefused)
{
  HostInstance& instance = Make(kStereo);
  EXPECT_EQ(instance.Effect().ApplyHostParamValue("6", 0.0, 1), AAX_SUCCESS);
  EXPECT_DOUBLE_EQ(Normal(instance, "6"), 0.0);
  EXPECT_EQ(instance.Effect().ApplyHostParamValue("6", 1.0, 1), AAX_SUCCESS);
  EXPECT_DOUBLE_EQ(Normal(instance, "6"), 1.0);
  EXPECT_EQ(instance.Effect().ApplyHostParamValue("3", 0.24, 1), AAX_SUCCESS);
  // Drive 0.24 of 0..50 dB is 12 dB on the 1 dB grid.
  EXPECT_EQ(TextOf(instance, "3", Normal(instance, "3")), "12.00dB");
  EXPECT_EQ(instance.Effect().ApplyHostParamValue("7", 0.5, 1), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(instance.Effect().ApplyHostParamValue("MasterBypassID", 0.5, 1),
            AAX_ERROR_INVALID_PARAMETER_ID);
  std::int32_t changes = 0;
  EXPECT_EQ(instance.Effect().ChangeCount(&changes), AAX_SUCCESS);
  EXPECT_EQ(changes, 3);
}

TEST_F(ModuleTest, OneStateChunkOfSixtyBytes)
{
  HostInstance& instance = Make(kStereo);
  std::int32_t count = 0;
  EXPECT_EQ(instance.Effect().ChunkCount(&count), AAX_SUCCESS);
  EXPECT_EQ(count, 1);
  AAX_CTypeID id = 123;
  EXPECT_EQ(instance.Effect().ChunkIdAt(0, &id), AAX_SUCCESS);
  EXPECT_EQ(id, kStateChunk);
  EXPECT_EQ(instance.Effect().ChunkIdAt(1, &id), AAX_ERROR_INVALID_CHUNK_INDEX);
  EXPECT_EQ(id, 0u);
  std::uint32_t size = 0;
  EXPECT_EQ(instance.Effect().ChunkSize(kStateChunk, &size), AAX_SUCCESS);
  EXPECT_EQ(size, 60u);
  EXPECT_EQ(instance.Effect().ChunkSize(AAX_FourCC("elck"), &size), AAX_ERROR_INVALID_CHUNK_ID);
  EXPECT_EQ(size, 0u);
}

TEST_F(ModuleTest, TheChunkHoldsTheEditorRecordAndTheSixValues)
{
  HostInstance& instance = Make(kStereo);
  ASSERT_EQ(instance.Effect().ApplyHostParamValue("4", 0.75, 1), AAX_SUCCESS); // Output 7.5 dB
  auto buffer = ChunkBuffer(60);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(buffer.data());
  record->mSize = 60;
  ASSERT_EQ(instance.Effect().WriteChunk(kStateChunk, record), AAX_SUCCESS);
  ASSERT_EQ(record->mSize, 60);
  const unsigned char* data = AAX_ChunkData(record);
  std::int32_t width = 0;
  std::int32_t height = 0;
  float scale = 0.f;
  std::memcpy(&width, data, 4);
  std::memcpy(&height, data + 4, 4);
  std::memcpy(&scale, data + 8, 4);
  // No editor has closed yet: the record is all zeros.
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  EXPECT_EQ(scale, 0.f);
  const double values[] = {100.0, 50.0, 0.0, 7.5, 0.0, 1.0};
  for (int i = 0; i < 6; ++i)
  {
    double v = 0.0;
    std::memcpy(&v, data + 12 + 8 * i, 8);
    EXPECT_DOUBLE_EQ(v, values[i]) << i;
  }
  EXPECT_EQ(instance.Effect().WriteChunk(AAX_FourCC("elck"), record), AAX_ERROR_INVALID_CHUNK_ID);
}

TEST_F(ModuleTest, ApplyChunkRestoresAndRequestsTheSixValuesInIndexOrder)
{
  HostInstance& source = Make(kStereo);
  ASSERT_EQ(source.Effect().ApplyHostParamValue("1", 0.25, 1), AAX_SUCCESS);
  ASSERT_EQ(source.Effect().ApplyHostParamValue("5", 1.0, 1), AAX_SUCCESS);
  auto buffer = ChunkBuffer(60);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(buffer.data());
  record->mSize = 60;
  record->mChunkID = kStateChunk;
  ASSERT_EQ(source.Effect().WriteChunk(kStateChunk, record), AAX_SUCCESS);

  HostInstance& target = Make(kStereo);
  bool equal = true;
  EXPECT_EQ(target.Effect().CompareChunk(record, &equal), AAX_SUCCESS);
  EXPECT_FALSE(equal);
  target.Automation().ClearEvents();
  ASSERT_EQ(target.Effect().ApplyChunk(kStateChunk, record), AAX_SUCCESS);
  std::vector<std::string> requested;
  for (const Event& e : target.Automation().Events())
    if (e.kind == Event::Kind::SetValueRequest) requested.push_back(e.id);
  EXPECT_EQ(requested, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
  // This host grants requests at once, so the host parameters follow the state.
  EXPECT_DOUBLE_EQ(Normal(target, "1"), 0.25);
  EXPECT_DOUBLE_EQ(Normal(target, "5"), 1.0);
  EXPECT_EQ(target.Effect().CompareChunk(record, &equal), AAX_SUCCESS);
  EXPECT_TRUE(equal);

  // Saving again gives the same bytes.
  auto again = ChunkBuffer(60);
  auto* second = reinterpret_cast<AAX_ChunkRecord*>(again.data());
  second->mSize = 60;
  ASSERT_EQ(target.Effect().WriteChunk(kStateChunk, second), AAX_SUCCESS);
  EXPECT_EQ(std::memcmp(AAX_ChunkData(record), AAX_ChunkData(second), 60), 0);
  EXPECT_EQ(target.Effect().ApplyChunk(AAX_FourCC("elck"), record), AAX_ERROR_INVALID_CHUNK_ID);
}

TEST_F(ModuleTest, AForeignChunkComparesEqualAndAShortOneDoesNot)
{
  HostInstance& instance = Make(kStereo);
  auto buffer = ChunkBuffer(60);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(buffer.data());
  record->mSize = 60;
  record->mChunkID = AAX_FourCC("elck");
  bool equal = false;
  EXPECT_EQ(instance.Effect().CompareChunk(record, &equal), AAX_SUCCESS);
  EXPECT_TRUE(equal);
  // Our own identifier with too few bytes for six values cannot match.
  record->mChunkID = kStateChunk;
  record->mSize = 20;
  EXPECT_EQ(instance.Effect().CompareChunk(record, &equal), AAX_SUCCESS);
  EXPECT_FALSE(equal);
}

TEST_F(ModuleTest, AChunkTooShortForAWholeStateIsRefusedAndChangesNothing)
{
  HostInstance& instance = Make(kStereo);
  ASSERT_EQ(instance.Effect().ApplyHostParamValue("2", 0.25, 1), AAX_SUCCESS);
  auto buffer = ChunkBuffer(60);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(buffer.data());
  record->mChunkID = kStateChunk;
  for (const std::int32_t size : {-1, 0, 5, 20, 59})
  {
    SCOPED_TRACE(size);
    record->mSize = size;
    instance.Automation().ClearEvents();
    EXPECT_EQ(instance.Effect().ApplyChunk(kStateChunk, record), AAX_ERROR_INCORRECT_CHUNK_SIZE);
    EXPECT_TRUE(instance.Automation().Events().empty());
    EXPECT_DOUBLE_EQ(Normal(instance, "1"), 1.0);
    EXPECT_DOUBLE_EQ(Normal(instance, "2"), 0.25);
  }
  // The effect's own values are untouched too: Mix 100, Tone 25.
  record->mSize = 60;
  ASSERT_EQ(instance.Effect().WriteChunk(kStateChunk, record), AAX_SUCCESS);
  double mix = 0.0;
  double tone = 0.0;
  std::memcpy(&mix, AAX_ChunkData(record) + 12, 8);
  std::memcpy(&tone, AAX_ChunkData(record) + 20, 8);
  EXPECT_EQ(mix, 100.0);
  EXPECT_EQ(tone, 25.0);
  ExpectNoAssertions();
}

} // namespace
} // namespace moduletest

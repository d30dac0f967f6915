// Faults a host could reach in the adapter: indexes outside the parameters,
// chunk calls in the order hosts make them, notifications with bad data, the
// timer at destruction, the description of MIDI and aux output fields, and
// exceptions that must not cross into the host.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VCollection.h"
#include "Examples/Brasmire/Brasmire.h"
#include "Host/HostCollection.h"
#include "Host/HostComponentDescriptor.h"
#include "Host/HostEffectDescriptor.h"
#include "Host/HostString.h"
#include "IPlug/AAX/AAX_CEffectGUI_IPLUG.h"
#include "IPlug/AAX/IPlugAAX_Describe.h"
#include "IPlug/Timer_impl.h"
#include "support/AllocationCounter.h"
#include "tests/module/AdapterHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

namespace moduletest
{
namespace
{

// A plug-in whose state cannot be written, and which records how many timers
// were still registered when its own destructor ran.
class FragilePlug final : public iplug::IPlugAAX
{
public:
  explicit FragilePlug(int* timersAtDestruction = nullptr)
      : IPlugAAX(iplug::InstanceInfo{}, brasmire::Brasmire::MakeSetup()),
        mTimersAtDestruction(timersAtDestruction)
  {
  }
  ~FragilePlug() override
  {
    if (mTimersAtDestruction) *mTimersAtDestruction = iplug::Timer_impl::RegisteredCount();
  }
  bool SerializeState(iplug::ByteChunk&) const override
  {
    if (throwOnSerialize) throw std::bad_alloc();
    return false;
  }
  bool throwOnSerialize = false;

private:
  int* mTimersAtDestruction;
};

TEST(AdapterFaults, AnIndexOutsideTheParametersNamesNoneAndItsGesturesGoNowhere)
{
  Connected<brasmire::Brasmire> c(brasmire::Brasmire::CreateInstance({}));
  EXPECT_STREQ(c.plug->ParamIdText(0), "1");
  EXPECT_STREQ(c.plug->ParamIdText(5), "6");
  // Not the empty text: that is the master bypass's identifier.
  EXPECT_EQ(c.plug->ParamIdText(6), nullptr);
  EXPECT_EQ(c.plug->ParamIdText(-1), nullptr);

  c.context->Automation().ClearEvents();
  c.plug->BeginHostParamChange(6);
  c.plug->SetHostParamValue(6, 1.0);
  c.plug->EndHostParamChange(-1);
  EXPECT_TRUE(c.context->Automation().Events().empty());
}

TEST(AdapterFaults, ChunkSizeAnswersZeroAndAnErrorWhenTheStateCannotBeWritten)
{
  Connected<FragilePlug> c(new FragilePlug);
  std::uint32_t size = 12345;
  EXPECT_EQ(c.effect->ChunkSize(AAX_FourCC("Brm1"), &size), AAX_ERROR_INVALID_CHUNK_ID);
  EXPECT_EQ(size, 0u);
}

// The ordinary host sequence: ask the size, allocate a record of that size
// (some hosts leave its size field 0), write.
TEST(AdapterFaults, WriteChunkFillsARecordSizedFromChunkSizeWhateverItsSizeField)
{
  Connected<brasmire::Brasmire> c(brasmire::Brasmire::CreateInstance({}));
  const AAX_CTypeID id = AAX_FourCC("Brm1");
  std::uint32_t size = 0;
  ASSERT_EQ(c.effect->ChunkSize(id, &size), AAX_SUCCESS);
  ASSERT_EQ(size, 60u); // 12-byte editor header and six 8-byte values

  for (const std::int32_t sizeField : {0, -1, 60})
  {
    std::vector<unsigned char> bytes(AAX_CHUNK_HEADER_SIZE + size, 0);
    auto* record = reinterpret_cast<AAX_ChunkRecord*>(bytes.data());
    record->mSize = sizeField;
    EXPECT_EQ(c.effect->WriteChunk(id, record), AAX_SUCCESS) << sizeField;
    EXPECT_EQ(record->mSize, 60);
  }
  // A size field below the announced size does not shrink the room the host
  // allocated from ChunkSize.
  std::vector<unsigned char> bytes(AAX_CHUNK_HEADER_SIZE + size, 0);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(bytes.data());
  record->mSize = 10;
  EXPECT_EQ(c.effect->WriteChunk(id, record), AAX_SUCCESS);
}

TEST(AdapterFaults, WriteChunkWithoutKnownRoomIsRefused)
{
  Connected<brasmire::Brasmire> c(brasmire::Brasmire::CreateInstance({}));
  std::vector<unsigned char> bytes(AAX_CHUNK_HEADER_SIZE + 60, 0);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(bytes.data());
  record->mSize = 0; // no size asked, no room announced
  EXPECT_EQ(c.effect->WriteChunk(AAX_FourCC("Brm1"), record), AAX_ERROR_INCORRECT_CHUNK_SIZE);
}

TEST(AdapterFaults, ATrackNameNotificationTooSmallForAStringObjectIsRefused)
{
  Connected<brasmire::Brasmire> c(brasmire::Brasmire::CreateInstance({}));
  const aaxhost::HostString track("Bass");
  ASSERT_EQ(c.effect->OnHostNotification(AAX_FourCC("AXtn"), &track, sizeof track), AAX_SUCCESS);
  const std::uint32_t notAString = 0x41414141u;
  EXPECT_EQ(c.effect->OnHostNotification(AAX_FourCC("AXtn"), &notAString, sizeof notAString),
            AAX_ERROR_INVALID_ARGUMENT);
  iplug::ByteChunk name;
  c.plug->TrackName(name);
  EXPECT_STREQ(reinterpret_cast<const char*>(name.GetData()), "Bass");
}

TEST(AdapterFaults, TheTimerStopsBeforeTheEffectIsDestroyed)
{
  const int before = iplug::Timer_impl::RegisteredCount();
  int atDestruction = -1;
  {
    Connected<FragilePlug> c(new FragilePlug(&atDestruction));
    EXPECT_EQ(iplug::Timer_impl::RegisteredCount(), before + 1);
  }
  EXPECT_EQ(atDestruction, before);
}

TEST(AdapterFaults, ExceptionsInHostCallsBecomeErrorCodes)
{
  Connected<FragilePlug> c(new FragilePlug);
  c.plug->throwOnSerialize = true;
  const AAX_CTypeID id = AAX_FourCC("Brm1");
  std::uint32_t size = 7;
  EXPECT_EQ(c.effect->ChunkSize(id, &size), AAX_ERROR_UNKNOWN_EXCEPTION);
  EXPECT_EQ(size, 0u);
  std::vector<unsigned char> bytes(AAX_CHUNK_HEADER_SIZE + 60, 0);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(bytes.data());
  EXPECT_EQ(c.effect->WriteChunk(id, record), AAX_ERROR_UNKNOWN_EXCEPTION);
  record->mSize = 60;
  record->mChunkID = id;
  EXPECT_EQ(c.effect->ApplyChunk(id, record), AAX_ERROR_UNKNOWN_EXCEPTION);
  bool equal = false;
  EXPECT_EQ(c.effect->CompareChunk(record, &equal), AAX_ERROR_UNKNOWN_EXCEPTION);
}

// A host block longer than the prepared 8,192 frames is rendered in pieces of
// the prepared size: nothing is allocated, and the result is exactly that of
// the host handing over the same pieces itself.
TEST(AdapterFaults, ABlockLongerThanThePreparedSizeIsRenderedInPiecesWithoutAllocating)
{
  constexpr int kFrames = 2 * 8192 + 3616;
  std::vector<float> inL(kFrames), inR(kFrames);
  for (int i = 0; i < kFrames; ++i)
  {
    inL[static_cast<std::size_t>(i)] = static_cast<float>(0.6 * std::sin(0.013 * i));
    inR[static_cast<std::size_t>(i)] = static_cast<float>(0.4 * std::cos(0.021 * i));
  }
  auto prepare = [](Connected<brasmire::Brasmire>& c)
  {
    EXPECT_EQ(c.effect->ApplyHostParamValue("5", 1.0, 1), AAX_SUCCESS); // oversampling on
    EXPECT_EQ(c.effect->ApplyHostParamValue("3", 0.7, 1), AAX_SUCCESS);
    std::vector<float> silence(256, 0.f), out(256);
    float* in[] = {silence.data(), silence.data()};
    float* outs[] = {out.data(), out.data()};
    c.render.mInputs = in;
    c.render.mOutputs = outs;
    c.frames = 256;
    c.RenderCall(); // reports the latency
  };

  Connected<brasmire::Brasmire> whole(brasmire::Brasmire::CreateInstance({}));
  Connected<brasmire::Brasmire> pieces(brasmire::Brasmire::CreateInstance({}));
  prepare(whole);
  prepare(pieces);

  std::vector<float> wholeL(kFrames), wholeR(kFrames);
  float* wholeIn[] = {inL.data(), inR.data()};
  float* wholeOut[] = {wholeL.data(), wholeR.data()};
  whole.render.mInputs = wholeIn;
  whole.render.mOutputs = wholeOut;
  whole.frames = kFrames;
  {
    brasmire::test::AllocationCounter counter;
    whole.RenderCall();
    EXPECT_EQ(counter.Count(), 0);
  }

  std::vector<float> pieceL(kFrames), pieceR(kFrames);
  for (int at = 0; at < kFrames; at += 8192)
  {
    float* in[] = {inL.data() + at, inR.data() + at};
    float* out[] = {pieceL.data() + at, pieceR.data() + at};
    pieces.render.mInputs = in;
    pieces.render.mOutputs = out;
    pieces.frames = std::min(8192, kFrames - at);
    pieces.RenderCall();
  }
  EXPECT_EQ(wholeL, pieceL);
  EXPECT_EQ(wholeR, pieceR);
  EXPECT_NE(wholeL[kFrames - 1], 0.f); // the last piece was rendered, not silenced
}

// Describes one effect through the host library's objects and hands back the
// host's record of it.
HostRef<aaxhost::HostEffectDescriptor> DescribeInto(const iplug::AAX_EffectDescription& description,
                                                    AAX_Result* result)
{
  auto host = HostRef<aaxhost::HostObject>::Adopt(
      aaxhost::NewHostObject<aaxhost::HostObject>(std::make_shared<aaxhost::InterfacePolicy>()));
  AAX_VCollection collection(static_cast<AAX_IHostFactory*>(host.Get()));
  try
  {
    *result = iplug::IPlugAAX_Describe(collection, description);
  }
  catch (...)
  {
    *result = AAX_ERROR_UNKNOWN_EXCEPTION; // a component the host refused
  }
  auto hostCollection =
      aaxhost::QueryRef<aaxhost::HostCollection>(collection.Object(), aaxhost::kHostSelfCollection);
  if (!hostCollection || hostCollection->Effects().empty()) return {};
  return hostCollection->Effects().front().descriptor;
}

iplug::AAX_EffectDescription TestDescription(const char* channelIO)
{
  static constexpr AAX_CTypeID kNative[] = {AAX_FourCC("TnF1")};
  static constexpr AAX_CTypeID kSuite[] = {AAX_FourCC("TnA1")};
  iplug::AAX_EffectDescription description;
  description.effectNames = "Test";
  description.channelIO = channelIO;
  description.manufacturerID = AAX_FourCC("Qmsh");
  description.productID = AAX_FourCC("Tst1");
  description.nativeTypeIDs = kNative;
  description.audioSuiteTypeIDs = kSuite;
  description.typeIDCount = 1;
  description.midiNodeName = "Test Midi";
  description.effectID = "com.Quillmarsh.aax.Test";
  description.manufacturerName = "Quillmarsh";
  description.effectFactory = +[]() -> IACFUnknown* { return nullptr; };
  description.viewFactory = &iplug::AAX_CEffectGUI_IPLUG::Create;
  return description;
}

// The render path reads fields 4 and 5 as MIDI nodes when the effect takes or
// makes MIDI: the description must register them as nodes then, and as
// 4-byte placeholders otherwise.
TEST(AdapterFaults, MidiFieldsAreDescribedAsTheRenderPathReadsThem)
{
  using Kind = aaxhost::FieldRecord::Kind;
  for (const bool midi : {false, true})
  {
    iplug::AAX_EffectDescription description = TestDescription("2-2");
    description.midiInput = midi;
    description.midiOutput = midi;
    AAX_Result result = -1;
    const auto effect = DescribeInto(description, &result);
    ASSERT_EQ(result, AAX_SUCCESS);
    ASSERT_TRUE(effect);
    const auto components = effect->Components();
    ASSERT_EQ(components.size(), 1u);
    const auto& component = components.front();
    const auto in = component->Field(AAX_eField_MIDIIn);
    const auto out = component->Field(AAX_eField_MIDIOut);
    ASSERT_TRUE(in && out);
    EXPECT_EQ(in->kind, midi ? Kind::MIDINode : Kind::PrivateData);
    EXPECT_EQ(out->kind, midi ? Kind::MIDINode : Kind::PrivateData);
    if (midi)
    {
      EXPECT_EQ(in->midiKind, AAX_eMIDINode_Input);
      EXPECT_EQ(out->midiKind, AAX_eMIDINode_Output);
      EXPECT_EQ(in->name, "Test Midi");
    }
    else
      EXPECT_EQ(in->size, 4);
  }
}

// Two output buses: one aux stem, which extends the audio-output field.
TEST(AdapterFaults, ALayoutWithAnAuxOutputBusIsDescribed)
{
  AAX_Result result = -1;
  const auto effect = DescribeInto(TestDescription("2-2.2"), &result);
  ASSERT_EQ(result, AAX_SUCCESS);
  ASSERT_TRUE(effect);
  const auto components = effect->Components();
  ASSERT_EQ(components.size(), 1u);
  int stems = 0;
  for (const aaxhost::FieldRecord& field : components.front()->Fields())
    if (field.kind == aaxhost::FieldRecord::Kind::AuxOutputStem)
    {
      ++stems;
      EXPECT_EQ(field.field, AAX_eField_AudioOut);
      EXPECT_EQ(field.stemFormat, 0x00010002);
      EXPECT_EQ(field.name, "Output 2");
    }
  EXPECT_EQ(stems, 1);
}

} // namespace
} // namespace moduletest

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostCollection.h"
#include "Host/HostComponentDescriptor.h"
#include "Host/HostController.h"
#include "Host/HostObject.h"
#include "Host/HostTransport.h"
#include "Host/HostViewContainer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace aaxhost;

namespace
{
template <typename T, typename... Args>
HostRef<T> Make(Args&&... args)
{
  return HostRef<T>::Adopt(NewHostObject<T>(std::forward<Args>(args)...));
}

std::shared_ptr<const InterfacePolicy> NoPolicy()
{
  return std::make_shared<InterfacePolicy>();
}
} // namespace

TEST(HostTransport, BarAndBeatFollowTicksAndMeter)
{
  auto transport = Make<HostTransport>(NoPolicy());
  struct Case
  {
    std::int32_t numerator, denominator;
    std::int64_t ticks;
  };
  const Case cases[] = {{4, 4, 0},
                        {4, 4, 960000 * 5 + 123},
                        {3, 4, 960000 * 7},
                        {6, 8, 480000 * 13 + 7},
                        {7, 16, 240000 * 30}};
  for (const Case& c : cases)
  {
    HostTransport::State state;
    state.meterNumerator = c.numerator;
    state.meterDenominator = c.denominator;
    state.tickPosition = c.ticks;
    transport->SetState(state);
    // Counted slowly: walk beat by beat from the start.
    const std::int64_t beatTicks = 3840000 / c.denominator;
    std::int64_t remaining = c.ticks;
    std::int32_t bar = 1, beat = 1;
    while (remaining >= beatTicks)
    {
      remaining -= beatTicks;
      if (++beat > c.numerator)
      {
        beat = 1;
        ++bar;
      }
    }
    std::int32_t bars = 0, beats = 0;
    std::int64_t rest = 0;
    ASSERT_EQ(transport->BarBeatPosition(&bars, &beats, &rest), AAX_SUCCESS);
    EXPECT_EQ(bars, bar) << c.numerator << "/" << c.denominator << " at " << c.ticks;
    EXPECT_EQ(beats, beat);
    EXPECT_EQ(rest, remaining);
  }
}

TEST(HostTransport, PlayingAdvancesSamplesAndTicksAndWrapsInTheLoop)
{
  auto transport = Make<HostTransport>(NoPolicy());
  HostTransport::State state;
  state.tempo = 120.0;
  state.playing = true;
  state.looping = true;
  state.loopStartTicks = 960000;
  state.loopEndTicks = 960000 * 3;
  state.tickPosition = 960000 * 2;
  transport->SetState(state);
  // 48000 samples at 48 kHz and 120 bpm are two quarter notes.
  transport->Advance(48000, 48000.0);
  const HostTransport::State after = transport->CurrentState();
  EXPECT_EQ(after.samplePosition, 48000);
  EXPECT_EQ(after.tickPosition, 960000 * 2); // 4 quarters wraps to 2 inside [1, 3)

  state.playing = false;
  transport->SetState(state);
  transport->Advance(48000, 48000.0);
  EXPECT_EQ(transport->CurrentState().samplePosition, 0);
  bool looping = false;
  std::int64_t start = 0, end = 0;
  ASSERT_EQ(transport->CurrentLoopPosition(&looping, &start, &end), AAX_SUCCESS);
  EXPECT_TRUE(looping);
  EXPECT_EQ(end - start, 2 * AAX_TICKS_PER_QUARTER);
  EXPECT_EQ(transport->CurrentLoopPosition(nullptr, &start, &end), AAX_ERROR_NULL_ARGUMENT);
}

TEST(HostController, PacketsAreHandedOverOnceInPostingOrder)
{
  auto controller = Make<HostController>(NoPolicy(), "effect");
  const std::int64_t a = 7, b = 8;
  ASSERT_EQ(controller->PostPacket(25, &a, sizeof a), AAX_SUCCESS);
  ASSERT_EQ(controller->PostPacket(25, &b, sizeof b), AAX_SUCCESS);
  EXPECT_EQ(controller->PostPacket(25, nullptr, 8), AAX_ERROR_NULL_ARGUMENT);
  std::vector<unsigned char> big(HostController::kMaxPacketBytes + 1);
  EXPECT_EQ(controller->PostPacket(25, big.data(), static_cast<std::uint32_t>(big.size())),
            AAX_ERROR_POST_PACKET_FAILED);
  const auto packets = controller->TakePackets();
  ASSERT_EQ(packets.size(), 2u);
  std::int64_t first = 0;
  std::memcpy(&first, packets[0].data.data(), sizeof first);
  EXPECT_EQ(first, 7);
  EXPECT_TRUE(controller->TakePackets().empty());

  // Packets wait in fixed storage: past its room a post fails as a full
  // queue does, the waiting ones stay intact, and taking them frees the room.
  std::vector<unsigned char> full(HostController::kMaxPacketBytes, 0x5A);
  const std::size_t fit = HostController::kPendingPacketBytes / full.size();
  for (std::size_t i = 0; i < fit; ++i)
    ASSERT_EQ(controller->PostPacket(3, full.data(), static_cast<std::uint32_t>(full.size())),
              AAX_SUCCESS);
  EXPECT_EQ(controller->PostPacket(3, &a, 1), AAX_ERROR_POST_PACKET_FAILED);
  const auto waiting = controller->TakePackets();
  ASSERT_EQ(waiting.size(), fit);
  EXPECT_EQ(waiting.back().data, full);
  for (std::size_t i = 0; i < HostController::kMaxPendingPackets; ++i)
    ASSERT_EQ(controller->PostPacket(4, &b, 1), AAX_SUCCESS);
  EXPECT_EQ(controller->PostPacket(4, &b, 1), AAX_ERROR_POST_PACKET_FAILED);
  EXPECT_EQ(controller->TakePackets().size(), HostController::kMaxPendingPackets);
  EXPECT_EQ(controller->PostPacket(4, &b, 1), AAX_SUCCESS);

  EXPECT_EQ(controller->SetSignalLatency(64), AAX_SUCCESS);
  EXPECT_EQ(controller->SetSignalLatency(-1), AAX_ERROR_INVALID_ARGUMENT);
  EXPECT_EQ(controller->SetSignalLatency(0), AAX_SUCCESS);
  EXPECT_EQ(controller->LatencyHistory(), (std::vector<std::int32_t>{64, 0}));
}

TEST(HostComponentDescriptor, EachFieldOnceAndOnlyRenderContextFields)
{
  auto component = Make<HostComponentDescriptor>(NoPolicy());
  EXPECT_EQ(component->AddAudioIn(0), AAX_SUCCESS);
  EXPECT_EQ(component->AddAudioOut(0), AAX_ERROR_INVALID_FIELD_INDEX);
  EXPECT_EQ(component->AddAudioOut(-1), AAX_ERROR_INVALID_FIELD_INDEX);
  EXPECT_EQ(component->AddAudioOut(HostComponentDescriptor::kMaxFieldIndex + 1),
            AAX_ERROR_INVALID_FIELD_INDEX);
  EXPECT_EQ(component->AddPrivateData(5, -4, 0), AAX_ERROR_INVALID_ARGUMENT);
  EXPECT_EQ(component->AddMIDINode(4, 9, "x", 1), AAX_ERROR_INVALID_ARGUMENT);
  EXPECT_EQ(component->AddMeters(24, nullptr, 2), AAX_ERROR_NULL_ARGUMENT);
  EXPECT_EQ(component->AddProcessProc(nullptr, nullptr), AAX_ERROR_NULL_ARGUMENT);
  // A name without a terminator in reach is cut, never over-read.
  char unterminated[300];
  std::memset(unterminated, 'n', sizeof unterminated);
  // Aux output stems extend the audio-output field, any number of them, and
  // name no other field.
  EXPECT_EQ(component->AddAuxOutputStem(0, 1, "in"), AAX_ERROR_INVALID_FIELD_INDEX);
  EXPECT_EQ(component->AddAuxOutputStem(30, 1, "none"), AAX_ERROR_INVALID_FIELD_INDEX);
  ASSERT_EQ(component->AddAudioOut(1), AAX_SUCCESS);
  EXPECT_EQ(component->AddAuxOutputStem(1, 1, unterminated), AAX_SUCCESS);
  EXPECT_EQ(component->AddAuxOutputStem(1, 0x00010002, "Output 3"), AAX_SUCCESS);
  EXPECT_EQ(component->AddMIDINode(1, 0, "x", 1), AAX_ERROR_INVALID_FIELD_INDEX);
  const auto fields = component->Fields();
  ASSERT_EQ(fields.size(), 4u);
  EXPECT_EQ(fields[2].kind, FieldRecord::Kind::AuxOutputStem);
  EXPECT_EQ(fields[2].name.size(), 256u);
  EXPECT_EQ(fields[3].name, "Output 3");
}

TEST(HostCollection, AnEffectNeedsAUniqueIdANameAndAComponent)
{
  auto policy = NoPolicy();
  auto collection = Make<HostCollection>(policy);
  auto empty = Make<HostEffectDescriptor>(policy);
  IACFUnknown* emptyObject = static_cast<AAX_IEffectDescriptor*>(empty.Get());
  EXPECT_EQ(collection->AddEffect("com.a", emptyObject), AAX_ERROR_EMPTY_EFFECT_NAME);
  empty->AddName("A");
  EXPECT_EQ(collection->AddEffect("com.a", emptyObject), AAX_ERROR_NO_COMPONENTS);
  auto component = Make<HostComponentDescriptor>(policy);
  ASSERT_EQ(empty->AddComponent(static_cast<AAX_IComponentDescriptor*>(component.Get())),
            AAX_SUCCESS);
  EXPECT_EQ(collection->AddEffect("com.a", emptyObject), AAX_SUCCESS);
  EXPECT_EQ(collection->AddEffect("com.a", emptyObject), AAX_ERROR_DUPLICATE_EFFECT_ID);
  EXPECT_EQ(collection->AddEffect("", emptyObject), AAX_ERROR_INVALID_ARGUMENT);
  EXPECT_EQ(collection->AddEffect("com.b", nullptr), AAX_ERROR_NULL_OBJECT);
  // An object that is not one of this host's descriptors is refused.
  EXPECT_EQ(collection->AddEffect("com.c", static_cast<AAX_ICollection*>(collection.Get())),
            AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(collection->Effects().size(), 1u);
  // The descriptor stays alive as long as the collection holds it.
  EXPECT_EQ(empty->ReferenceCount(), 2);
}

TEST(HostViewContainer, SizesOutsideTheRangeAreRefused)
{
  auto container = Make<HostViewContainer>(NoPolicy(), nullptr);
  EXPECT_EQ(container->Type(), AAX_IViewContainer::eType_None);
  EXPECT_EQ(container->SetViewSize({100.0f, 200.0f}), AAX_SUCCESS);
  EXPECT_EQ(container->SetViewSize({0.0f, 200.0f}), AAX_ERROR_INVALID_VIEW_SIZE);
  EXPECT_EQ(container->SetViewSize({std::numeric_limits<float>::quiet_NaN(), 1.0f}),
            AAX_ERROR_INVALID_VIEW_SIZE);
  EXPECT_EQ(container->SetViewSize({1.0f, HostViewContainer::kMaxViewSize * 2}),
            AAX_ERROR_INVALID_VIEW_SIZE);
  EXPECT_EQ(container->SizeRequests().size(), 1u);
  container->SetMouseDownAnswer(0);
  EXPECT_EQ(container->HandleParameterMouseDown("3", 4), AAX_SUCCESS);
  std::uint32_t mask = 1;
  container->SetModifiers(6);
  ASSERT_EQ(container->Modifiers(&mask), AAX_SUCCESS);
  EXPECT_EQ(mask, 6u);
}

TEST(HostObject, FactoryMakesObjectsByClassAndSharesOneHostServices)
{
  auto host = Make<HostObject>();
  void* first = nullptr;
  void* second = nullptr;
  ASSERT_EQ(host->CreateInstance(AAX_CLSID_HostServices, nullptr, AAX_IID_HostServices, &first),
            ACF_OK);
  ASSERT_EQ(host->CreateInstance(AAX_CLSID_HostServices, nullptr, AAX_IID_HostServicesV3, &second),
            ACF_OK);
  EXPECT_EQ(static_cast<AAX_IHostServices*>(first),
            static_cast<AAX_IHostServices*>(static_cast<AAX_IHostServicesV3*>(second)));
  static_cast<IACFUnknown*>(first)->Release();
  static_cast<AAX_IHostServicesV3*>(second)->Release();

  void* out = reinterpret_cast<void*>(std::uintptr_t{1});
  EXPECT_EQ(host->CreateInstance(AAX_IID_Controller, nullptr, IID_IACFUnknown, &out),
            ACF_E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  IACFUnknown* outer = static_cast<AAX_IHostFactory*>(host.Get());
  EXPECT_EQ(host->CreateInstance(AAX_CLSID_PropertyMap, outer, AAX_IID_PropertyMap, &out),
            ACF_E_NOINTERFACE);
  ASSERT_EQ(host->CreateInstance(AAX_CLSID_PropertyMap, nullptr, AAX_IID_PropertyMapV3, &out),
            ACF_OK);
  auto* map = static_cast<AAX_IPropertyMapV3*>(out);
  const AAX_CTypeID ids[] = {1, 2, 3};
  EXPECT_EQ(map->AddPropertyWithIDArray(5, ids, 3), AAX_SUCCESS);
  AAX_CTypeID back[2] = {};
  std::uint32_t count = 0;
  EXPECT_TRUE(map->GetPropertyWithIDArray(5, back, 2, &count));
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(back[1], 2u);
  EXPECT_EQ(map->Release(), 0);
  EXPECT_EQ(host->CreatedCount(AAX_CLSID_PropertyMap), 1);
}

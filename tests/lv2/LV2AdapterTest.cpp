// The LV2 adapter driven in-process through the same descriptor the bundle's
// library exports: ports, block handling, latency, state, and no allocation in run.

#include "Examples/Brasmire/Brasmire.h"
#include "Examples/Brasmire/BrasmireLV2Bundle.h"
#include "IPlug/LV2/IPlugLV2Entry.h"
#include "lv2/TestUridMap.h"
#include "support/AllocationCounter.h"

#include "lv2/atom/atom.h"
#include "lv2/buf-size/buf-size.h"
#include "lv2/options/options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using brasmire::test::AllocationCounter;
using lv2test::TestUridMap;

namespace
{
using Entry = iplug::IPlugLV2Entry<brasmire::Brasmire>;

constexpr std::uint32_t kMix = 0, kTone = 1, kDrive = 2, kOutput = 3, kOversampling = 4,
                        kBypass = 5;

const LV2_Descriptor* Variant(std::uint32_t index)
{
  return Entry::Descriptor(index, brasmire::kLV2Bundle);
}

// One instance as a host holds it: its port memory, its handle and its descriptor.
class HostedInstance
{
public:
  // `maxBlock` > 0 hands the host's options with that maximum block length.
  HostedInstance(TestUridMap* map, int channels, std::int32_t maxBlock = 0)
      : mDescriptor(Variant(channels == 2 ? 0 : 1)), mChannels(channels)
  {
    std::vector<const LV2_Feature*> features;
    if (map != nullptr)
    {
      features.push_back(map->Feature());
      if (maxBlock > 0)
      {
        mMaxBlock = maxBlock;
        mOptions[0] = LV2_Options_Option{LV2_OPTIONS_INSTANCE,
                                         0,
                                         map->Map(LV2_BUF_SIZE__maxBlockLength),
                                         sizeof(std::int32_t),
                                         map->Map(LV2_ATOM__Int),
                                         &mMaxBlock};
        features.push_back(&mOptionsFeature);
      }
    }
    features.push_back(nullptr);
    mHandle = mDescriptor->instantiate(mDescriptor, 48000.0, "/nowhere", features.data());
    if (mHandle == nullptr) return;
    // Ports start at their defaults, as a host sets them from the description.
    mControls = {100.f, 50.f, 0.f, 0.f, 0.f, 1.f};
    for (int i = 0; i < 6; ++i)
      mDescriptor->connect_port(mHandle, ControlPort(i), &mControls[static_cast<std::size_t>(i)]);
    mDescriptor->connect_port(mHandle, 2 * channels + 6, &mLatency);
    mDescriptor->activate(mHandle);
  }
  ~HostedInstance()
  {
    if (mHandle == nullptr) return;
    mDescriptor->deactivate(mHandle);
    mDescriptor->cleanup(mHandle);
  }
  HostedInstance(const HostedInstance&) = delete;
  HostedInstance& operator=(const HostedInstance&) = delete;

  bool Valid() const { return mHandle != nullptr; }
  LV2_Handle Handle() const { return mHandle; }
  std::uint32_t ControlPort(int param) const
  {
    return static_cast<std::uint32_t>(2 * mChannels + param);
  }
  void SetControl(std::uint32_t param, float value) { mControls[param] = value; }
  float Latency() const { return mLatency; }

  // Connects the audio ports to `in` / `out` (one array per channel, at `offset`) and runs.
  void Run(std::vector<std::vector<float>>& in, std::vector<std::vector<float>>& out,
           std::size_t offset, std::uint32_t frames)
  {
    for (int ch = 0; ch < mChannels; ++ch)
    {
      mDescriptor->connect_port(mHandle, static_cast<std::uint32_t>(ch),
                                in[static_cast<std::size_t>(ch)].data() + offset);
      mDescriptor->connect_port(mHandle, static_cast<std::uint32_t>(mChannels + ch),
                                out[static_cast<std::size_t>(ch)].data() + offset);
    }
    mDescriptor->run(mHandle, frames);
  }

  const LV2_State_Interface* State() const
  {
    return static_cast<const LV2_State_Interface*>(
        mDescriptor->extension_data(LV2_STATE__interface));
  }

private:
  const LV2_Descriptor* mDescriptor;
  int mChannels;
  LV2_Handle mHandle = nullptr;
  std::vector<float> mControls;
  float mLatency = -1.f;
  std::int32_t mMaxBlock = 0;
  LV2_Options_Option mOptions[2]{};
  LV2_Feature mOptionsFeature{LV2_OPTIONS__options, mOptions};
};

// Two channels of a decaying chord, loud enough to drive the curve.
std::vector<std::vector<float>> TestSignal(int channels, std::size_t frames)
{
  std::vector<std::vector<float>> signal(static_cast<std::size_t>(channels),
                                         std::vector<float>(frames));
  for (std::size_t i = 0; i < frames; ++i)
  {
    const double t = static_cast<double>(i) / 48000.0;
    signal[0][i] = static_cast<float>(0.6 * std::sin(2 * M_PI * 220 * t) +
                                      0.2 * std::sin(2 * M_PI * 1250 * t));
    if (channels > 1) signal[1][i] = static_cast<float>(0.4 * std::sin(2 * M_PI * 330 * t + 0.3));
  }
  return signal;
}

std::vector<std::vector<float>> Silence(int channels, std::size_t frames)
{
  return std::vector<std::vector<float>>(static_cast<std::size_t>(channels),
                                         std::vector<float>(frames));
}

float MaxDifference(const std::vector<float>& a, const std::vector<float>& b)
{
  float most = 0.f;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    most = std::max(most, std::fabs(a[i] - b[i]));
  return most;
}

float Peak(const std::vector<float>& a)
{
  float most = 0.f;
  for (const float x : a)
    most = std::max(most, std::fabs(x));
  return most;
}

// What a host's state store keeps: one property.
struct StoredProperty
{
  std::uint32_t key = 0;
  std::vector<std::uint8_t> bytes;
  std::uint32_t type = 0;
  std::uint32_t flags = 0;
  int stores = 0;
};

LV2_State_Status Store(LV2_State_Handle handle, std::uint32_t key, const void* value,
                       std::size_t size, std::uint32_t type, std::uint32_t flags)
{
  auto* stored = static_cast<StoredProperty*>(handle);
  stored->key = key;
  stored->bytes.assign(static_cast<const std::uint8_t*>(value),
                       static_cast<const std::uint8_t*>(value) + size);
  stored->type = type;
  stored->flags = flags;
  ++stored->stores;
  return LV2_STATE_SUCCESS;
}

const void* Retrieve(LV2_State_Handle handle, std::uint32_t key, std::size_t* size,
                     std::uint32_t* type, std::uint32_t* flags)
{
  auto* stored = static_cast<StoredProperty*>(handle);
  if (stored->stores == 0 || key != stored->key) return nullptr;
  *size = stored->bytes.size();
  *type = stored->type;
  *flags = stored->flags;
  return stored->bytes.data();
}

StoredProperty Save(const HostedInstance& instance)
{
  StoredProperty stored;
  const LV2_State_Status status = instance.State()->save(
      instance.Handle(), &Store, &stored, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, nullptr);
  EXPECT_EQ(status, LV2_STATE_SUCCESS);
  return stored;
}

LV2_State_Status Restore(const HostedInstance& instance, StoredProperty& stored)
{
  return instance.State()->restore(instance.Handle(), &Retrieve, &stored, 0, nullptr);
}

double StoredParam(const StoredProperty& stored, int index)
{
  double value = 0.0;
  std::memcpy(&value, stored.bytes.data() + 12 + 8 * index, sizeof value);
  return value;
}

// Runs one short block so the effect applies the ports and reports its latency.
void Settle(HostedInstance& instance, int channels)
{
  auto in = Silence(channels, 64);
  auto out = Silence(channels, 64);
  instance.Run(in, out, 0, 64);
}
} // namespace

TEST(LV2Descriptor, NamesAStereoAndAMonoVariantAndOffersOnlyTheStateInterface)
{
  ASSERT_NE(Variant(0), nullptr);
  ASSERT_NE(Variant(1), nullptr);
  EXPECT_STREQ(Variant(0)->URI, "urn:quillmarsh:brasmire:stereo");
  EXPECT_STREQ(Variant(1)->URI, "urn:quillmarsh:brasmire:mono");
  EXPECT_EQ(Variant(2), nullptr);
  EXPECT_NE(Variant(0)->extension_data(LV2_STATE__interface), nullptr);
  EXPECT_EQ(Variant(0)->extension_data("urn:nothing"), nullptr);
  EXPECT_EQ(Variant(0)->extension_data(nullptr), nullptr);
}

TEST(LV2Run, AllocatesNothingForAnyBlockLengthControlOrLatencyChange)
{
  TestUridMap map;
  // A host that promises blocks of up to 16384 frames, beyond the frame's prepared size.
  HostedInstance promised(&map, 2, 16384);
  // One that promises nothing: long blocks run in pieces.
  HostedInstance unbounded(&map, 2);
  ASSERT_TRUE(promised.Valid());
  ASSERT_TRUE(unbounded.Valid());
  // The promise sized the frame at instantiation; without one it has its prepared size.
  EXPECT_EQ(static_cast<brasmire::Brasmire*>(promised.Handle())->BlockSize(), 16384);
  EXPECT_EQ(static_cast<brasmire::Brasmire*>(unbounded.Handle())->BlockSize(), 8192);
  auto in = TestSignal(2, 20000);
  auto out = Silence(2, 20000);
  const std::uint32_t lengths[] = {1, 64, 511, 8192, 16384, 0, 3000, 20000};

  for (HostedInstance* instance : {&promised, &unbounded})
  {
    std::int64_t allocations = 0;
    int step = 0;
    for (const std::uint32_t frames : lengths)
    {
      if (instance == &promised && frames > 16384) continue;
      // Every kind of control change between blocks: oversampling (the
      // latency changes), engage, drive.
      instance->SetControl(kOversampling, static_cast<float>(step % 2));
      instance->SetControl(kBypass, step % 3 == 2 ? 0.f : 1.f);
      instance->SetControl(kDrive, static_cast<float>(5 * step));
      ++step;
      AllocationCounter counter;
      instance->Run(in, out, 0, frames);
      allocations += counter.Count();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_GT(Peak(out[0]), 0.1f);
  }
}

TEST(LV2Run, OneLongBlockSoundsLikeManyShortOnes)
{
  TestUridMap map;
  HostedInstance whole(&map, 2);
  HostedInstance pieces(&map, 2);
  for (HostedInstance* instance : {&whole, &pieces})
  {
    instance->SetControl(kDrive, 30.f);
    instance->SetControl(kOversampling, 1.f);
    instance->SetControl(kMix, 80.f);
  }
  constexpr std::size_t kFrames = 20000; // past the 8192 frames run without allocating
  auto in = TestSignal(2, kFrames);
  auto outWhole = Silence(2, kFrames);
  auto outPieces = Silence(2, kFrames);
  whole.Run(in, outWhole, 0, kFrames);
  for (std::size_t pos = 0; pos < kFrames; pos += 100)
    pieces.Run(in, outPieces, pos, 100);
  for (int ch = 0; ch < 2; ++ch)
  {
    EXPECT_EQ(MaxDifference(outWhole[static_cast<std::size_t>(ch)],
                            outPieces[static_cast<std::size_t>(ch)]),
              0.f);
    EXPECT_GT(Peak(outWhole[static_cast<std::size_t>(ch)]), 0.1f);
  }
}

TEST(LV2Run, LatencyPortShowsWhatTheEffectReports)
{
  TestUridMap map;
  HostedInstance instance(&map, 2);
  Settle(instance, 2);
  EXPECT_EQ(instance.Latency(), 0.f);
  // Oversampling delays by 64 samples; disengaged, the effect passes its
  // input straight through with none.
  const struct
  {
    std::uint32_t control;
    float value;
    float latency;
  } steps[] = {{kOversampling, 1.f, 64.f},
               {kBypass, 0.f, 0.f},
               {kBypass, 1.f, 64.f},
               {kOversampling, 0.f, 0.f}};
  for (const auto& step : steps)
  {
    instance.SetControl(step.control, step.value);
    Settle(instance, 2);
    EXPECT_EQ(instance.Latency(), step.latency)
        << "control " << step.control << " = " << step.value;
  }
}

TEST(LV2Run, DisengagedInPlaceAndMonoBuffers)
{
  TestUridMap map;
  constexpr std::size_t kFrames = 4096;
  const auto in = TestSignal(2, kFrames);

  // lv2:enabled off: the output is the input, sample for sample.
  {
    HostedInstance instance(&map, 2);
    instance.SetControl(kDrive, 40.f);
    instance.SetControl(kBypass, 0.f);
    auto input = in;
    auto out = Silence(2, kFrames);
    instance.Run(input, out, 0, kFrames);
    EXPECT_EQ(out, in);
  }

  // The same buffer for input and output sounds like separate ones.
  auto separate = Silence(2, kFrames);
  {
    HostedInstance instance(&map, 2);
    instance.SetControl(kDrive, 24.f);
    auto input = in;
    instance.Run(input, separate, 0, kFrames);
  }
  {
    HostedInstance instance(&map, 2);
    instance.SetControl(kDrive, 24.f);
    auto shared = in;
    instance.Run(shared, shared, 0, kFrames);
    EXPECT_EQ(shared, separate);
  }

  // Mono: the channels are independent, so one channel sounds like the stereo's left.
  {
    HostedInstance instance(&map, 1);
    ASSERT_TRUE(instance.Valid());
    instance.SetControl(kDrive, 24.f);
    auto input = std::vector<std::vector<float>>{in[0]};
    auto out = Silence(1, kFrames);
    instance.Run(input, out, 0, kFrames);
    EXPECT_EQ(out[0], separate[0]);
  }
}

TEST(LV2State, SavesTheSixtyByteStateAndRestoresItIntoAFreshInstance)
{
  TestUridMap map;
  HostedInstance first(&map, 2);
  first.SetControl(kMix, 70.f);
  first.SetControl(kDrive, 24.f);
  first.SetControl(kOutput, -3.5f);
  first.SetControl(kOversampling, 1.f);
  Settle(first, 2);
  const StoredProperty saved = Save(first);

  ASSERT_EQ(saved.bytes.size(), 60u);
  EXPECT_EQ(saved.key, map.Map("urn:quillmarsh:brasmire#state"));
  EXPECT_EQ(saved.type, map.Map(LV2_ATOM__Chunk));
  EXPECT_EQ(saved.flags, static_cast<std::uint32_t>(LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE));
  // The editor record (all zeros: no editor has closed), then the six values
  // in index order.
  std::int32_t width = -1, height = -1;
  float scale = -1.f;
  std::memcpy(&width, saved.bytes.data(), 4);
  std::memcpy(&height, saved.bytes.data() + 4, 4);
  std::memcpy(&scale, saved.bytes.data() + 8, 4);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  EXPECT_EQ(scale, 0.f);
  const double expected[] = {70.0, 50.0, 24.0, -3.5, 1.0, 1.0};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(StoredParam(saved, i), expected[i]) << "parameter " << i;

  // Into a fresh mono instance (the key is the product's, not the variant's):
  // saving again gives the same bytes.
  HostedInstance second(&map, 1);
  StoredProperty copy = saved;
  EXPECT_EQ(Restore(second, copy), LV2_STATE_SUCCESS);
  EXPECT_EQ(Save(second).bytes, saved.bytes);

  // Its ports still sit at their defaults: the restored values hold until a port moves.
  Settle(second, 1);
  EXPECT_EQ(second.Latency(), 64.f);
  EXPECT_EQ(StoredParam(Save(second), kDrive), 24.0);
  second.SetControl(kDrive, 10.f);
  Settle(second, 1);
  EXPECT_EQ(StoredParam(Save(second), kDrive), 10.0);
}

TEST(LV2State, RefusesAMissingMistypedOrShortChunkAndChangesNothing)
{
  TestUridMap map;
  HostedInstance source(&map, 2);
  source.SetControl(kDrive, 24.f);
  Settle(source, 2);
  const StoredProperty good = Save(source);

  HostedInstance target(&map, 2);
  const std::vector<std::uint8_t> before = Save(target).bytes;

  StoredProperty missing;
  EXPECT_EQ(Restore(target, missing), LV2_STATE_ERR_NO_PROPERTY);
  StoredProperty mistyped = good;
  mistyped.type = map.Map(LV2_ATOM__String);
  EXPECT_EQ(Restore(target, mistyped), LV2_STATE_ERR_BAD_TYPE);
  StoredProperty shortChunk = good;
  shortChunk.bytes.resize(59);
  EXPECT_NE(Restore(target, shortChunk), LV2_STATE_SUCCESS);
  EXPECT_EQ(Save(target).bytes, before);

  // A longer chunk holds a whole state: its first 60 bytes are taken.
  StoredProperty longer = good;
  longer.bytes.resize(64, 0xAB);
  EXPECT_EQ(Restore(target, longer), LV2_STATE_SUCCESS);
  EXPECT_EQ(Save(target).bytes, good.bytes);
}

TEST(LV2State, WithoutAUriMapTheInstanceProcessesButHasNoState)
{
  HostedInstance instance(nullptr, 2);
  ASSERT_TRUE(instance.Valid());
  instance.SetControl(kDrive, 24.f);
  auto in = TestSignal(2, 512);
  auto out = Silence(2, 512);
  instance.Run(in, out, 0, 512);
  EXPECT_GT(Peak(out[0]), 0.1f);
  StoredProperty stored;
  EXPECT_EQ(instance.State()->save(instance.Handle(), &Store, &stored, 0, nullptr),
            LV2_STATE_ERR_NO_FEATURE);
  EXPECT_EQ(stored.stores, 0);
  EXPECT_EQ(instance.State()->restore(instance.Handle(), &Retrieve, &stored, 0, nullptr),
            LV2_STATE_ERR_NO_FEATURE);
}

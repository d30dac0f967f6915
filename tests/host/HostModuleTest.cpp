#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_HostSurface.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "Host/HostInstance.h"
#include "Host/HostString.h"
#include "Host/PluginModule.h"

#include "support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace aaxhost;

namespace
{
std::string ModulePath()
{
  return ExecutableDirectory() + BRASMIRE_TEST_MODULE_FILE;
}

std::unique_ptr<PluginModule>
OpenTestModule(std::shared_ptr<InterfacePolicy> policy = std::make_shared<InterfacePolicy>())
{
  std::string error;
  auto module = PluginModule::Open(ModulePath(), &error, std::move(policy));
  EXPECT_NE(module, nullptr) << error;
  return module;
}

std::unique_ptr<HostInstance> NewInstance(PluginModule& module, std::size_t component = 1)
{
  std::string error;
  auto instance = HostInstance::Create(module, 0, component, &error);
  EXPECT_NE(instance, nullptr) << error;
  return instance;
}

const FieldRecord* FindField(const std::vector<FieldRecord>& fields, AAX_CFieldIndex index)
{
  for (const FieldRecord& f : fields)
    if (f.field == index) return &f;
  return nullptr;
}

// The test effect reports what its render calls saw through its custom data.
template <typename T>
T CustomValue(const HostInstance& instance, const char (&key)[5])
{
  auto v4 = QueryRef<AAX_IEffectParametersV4>(&instance.Effect(), AAX_IID_EffectParametersV4);
  T value{};
  EXPECT_TRUE(v4);
  if (v4)
  {
    EXPECT_EQ(v4->CustomData(AAX_FourCC(key), &value, sizeof value), AAX_SUCCESS);
  }
  return value;
}

std::int64_t LastStateNumber(const HostInstance& instance)
{
  return CustomValue<std::int64_t>(instance, "stat");
}

double Normal(const HostInstance& instance, const char* id)
{
  double value = -1.0;
  EXPECT_EQ(instance.Effect().ParamNormal(id, &value), AAX_SUCCESS);
  return value;
}

// A chunk record with room for size data bytes, as a host allocates it.
std::vector<std::uint64_t> NewRecord(std::uint32_t size)
{
  std::vector<std::uint64_t> storage((AAX_CHUNK_HEADER_SIZE + size + 7) / 8, 0);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(storage.data());
  record->mSize = static_cast<std::int32_t>(size);
  return storage;
}
} // namespace

TEST(HostModule, MissingFileIsRefusedWithItsPath)
{
  std::string error;
  const std::string path = ExecutableDirectory() + "no-such-module.bin";
  EXPECT_EQ(PluginModule::Open(path, &error), nullptr);
  EXPECT_NE(error.find("no-such-module.bin"), std::string::npos) << error;
}

TEST(HostModule, ALibraryWithoutTheExportsIsRefused)
{
#if defined(_WIN32)
  const std::string systemLibrary = "kernel32.dll";
#else
  const std::string systemLibrary = "libm.so.6";
#endif
  std::string error;
  EXPECT_EQ(ModuleLibrary::Load(systemLibrary, &error), nullptr);
  EXPECT_EQ(error, systemLibrary + " does not export ACFRegisterPlugin");
}

TEST(HostModule, RegistrationRecordsTheWholeDescription)
{
  auto module = OpenTestModule();
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->StartupResult(), ACF_OK);
  EXPECT_EQ(module->RegistrationResult(), ACF_OK);
  EXPECT_EQ(module->SDKVersion(), 0x00000204013449EAull);
  HostCollection* description = module->Description();
  ASSERT_NE(description, nullptr);

  EXPECT_EQ(description->ManufacturerName(), "Quillmarsh");
  EXPECT_EQ(description->PackageNames(), std::vector<std::string>{"Brasmire Test"});
  EXPECT_EQ(description->PackageVersion(), 0x00030000u);
  const auto effects = description->Effects();
  ASSERT_EQ(effects.size(), 1u);
  EXPECT_EQ(effects[0].id, "com.Quillmarsh.aax.BrasmireTest");
  const HostEffectDescriptor& effect = *effects[0].descriptor.Get();
  EXPECT_EQ(effect.Names(), (std::vector<std::string>{"Brasmire Test", "BrmTest"}));
  EXPECT_EQ(effect.Categories(), std::vector<std::uint32_t>{64});
  EXPECT_NE(effect.Proc(AAX_eProcID_EffectParameters), nullptr);
  EXPECT_NE(effect.Proc(AAX_eProcID_EffectGUI), nullptr);
  EXPECT_EQ(effect.Proc(7), nullptr);

  const auto components = effect.Components();
  ASSERT_EQ(components.size(), 2u);
  const std::int32_t stems[] = {0x00000001, 0x00010002};
  const AAX_CTypeID typeIds[] = {AAX_FourCC("TEF1"), AAX_FourCC("TEF2")};
  for (std::size_t i = 0; i < 2; ++i)
  {
    const auto fields = components[i]->Fields();
    EXPECT_EQ(fields.size(), 10u);
    ASSERT_NE(FindField(fields, 0), nullptr);
    EXPECT_EQ(FindField(fields, 0)->kind, FieldRecord::Kind::AudioIn);
    EXPECT_EQ(FindField(fields, 1)->kind, FieldRecord::Kind::AudioOut);
    EXPECT_EQ(FindField(fields, 2)->kind, FieldRecord::Kind::BufferLength);
    EXPECT_EQ(FindField(fields, 3)->kind, FieldRecord::Kind::Clock);
    const FieldRecord* midiIn = FindField(fields, 4);
    ASSERT_NE(midiIn, nullptr);
    EXPECT_EQ(midiIn->kind, FieldRecord::Kind::MIDINode);
    EXPECT_EQ(midiIn->midiKind, AAX_eMIDINode_Input);
    EXPECT_EQ(midiIn->name, "Test Midi");
    EXPECT_EQ(midiIn->mask, 1u);
    const FieldRecord* placeholder = FindField(fields, 6);
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder->kind, FieldRecord::Kind::PrivateData);
    EXPECT_EQ(placeholder->size, 4);
    const FieldRecord* transport = FindField(fields, 7);
    ASSERT_NE(transport, nullptr);
    EXPECT_EQ(transport->midiKind, AAX_eMIDINode_Transport);
    EXPECT_EQ(transport->name, "Transport");
    EXPECT_EQ(transport->mask, 0xffffu);
    EXPECT_EQ(FindField(fields, 23)->size, static_cast<std::int64_t>(sizeof(void*)));
    const FieldRecord* port = FindField(fields, 25);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->kind, FieldRecord::Kind::DataInPort);
    EXPECT_EQ(port->size, 8);
    EXPECT_EQ(port->options, 1);

    const auto procs = components[i]->ProcessProcs();
    ASSERT_EQ(procs.size(), 1u);
    EXPECT_FALSE(procs[0].offline);
    const std::map<std::int32_t, AAX_CPropertyValue> expected = {
        {51, stems[i]},
        {52, stems[i]},
        {11, static_cast<AAX_CPropertyValue>(AAX_FourCC("Qmsh"))},
        {12, static_cast<AAX_CPropertyValue>(AAX_FourCC("Tst1"))},
        {13, static_cast<AAX_CPropertyValue>(typeIds[i])}};
    EXPECT_EQ(procs[0].properties, expected);
  }

  EXPECT_EQ(module->Host().CreatedCount(AAX_CLSID_Collection), 1);
  EXPECT_EQ(module->Host().CreatedCount(AAX_CLSID_EffectDescriptor), 1);
  EXPECT_EQ(module->Host().CreatedCount(AAX_CLSID_ComponentDescriptor), 2);
  EXPECT_EQ(module->Host().CreatedCount(AAX_CLSID_PropertyMap), 2);
  EXPECT_EQ(module->Host().CreatedCount(AAX_CLSID_HostServices), 1);
  EXPECT_TRUE(module->Host().Services().Assertions().empty());
  EXPECT_TRUE(module->Host().Services().Traces().empty());
}

TEST(HostModule, AFailingHostCallEndsRegistrationWithItsTracedResult)
{
  // A host without property maps makes the module's checked description fail.
  auto policy = std::make_shared<InterfacePolicy>();
  policy->Withhold(AAX_IID_PropertyMap);
  auto module = OpenTestModule(policy);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->RegistrationResult(), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(module->Description(), nullptr);
  const auto traces = module->Host().Services().Traces();
  ASSERT_EQ(traces.size(), 2u);
  EXPECT_EQ(traces[0].priority, 0x4000000);
  EXPECT_EQ(traces[0].message, "AAX_CheckedResult - throwing AAX_ERROR_NULL_OBJECT (-20004)");
  EXPECT_EQ(traces[1].priority, 0x8000000);
  EXPECT_EQ(traces[1].message,
            "AAXRegisterPlugin exception caught: AAX_ERROR_NULL_OBJECT (-20004)");
  EXPECT_EQ(module->CanUnloadNow(), 0);
  std::string error;
  EXPECT_TRUE(module->Close(&error)) << error;
}

TEST(HostModule, UnloadWaitsUntilEveryObjectOfTheModuleIsGone)
{
  auto module = OpenTestModule();
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->CanUnloadNow(), 0);
  auto instance = NewInstance(*module);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(module->CanUnloadNow(), 1);
  // A zeroed host surface: a parent, but no editor opens on it.
  AAX_HostSurface parent{};
  ASSERT_EQ(instance->OpenView(&parent), AAX_SUCCESS);
  EXPECT_EQ(module->CanUnloadNow(), 2);

  std::string error;
  EXPECT_FALSE(module->Close(&error));
  EXPECT_NE(error.find("2 live objects"), std::string::npos) << error;
  EXPECT_TRUE(module->IsOpen());

  EXPECT_EQ(instance->CloseView(), AAX_SUCCESS);
  EXPECT_EQ(module->CanUnloadNow(), 1);
  instance.reset();
  EXPECT_EQ(module->CanUnloadNow(), 0);
  EXPECT_TRUE(module->Close(&error)) << error;
  EXPECT_FALSE(module->IsOpen());
}

TEST(HostModule, SetValueRequestsAreAnsweredThroughApplyHostParamValue)
{
  auto module = OpenTestModule();
  ASSERT_NE(module, nullptr);
  auto instance = NewInstance(*module);
  ASSERT_NE(instance, nullptr);
  // Kept past the instance, to see what its end unregisters.
  auto kept = HostRef<HostAutomationDelegate>::Retain(&instance->Automation());
  HostAutomationDelegate& automation = *kept.Get();
  EXPECT_EQ(automation.Registered(), (std::set<std::string>{"1", "2"}));
  automation.ClearEvents();

  ASSERT_EQ(instance->Effect().RequestParamValue("1", 0.25), AAX_SUCCESS);
  auto events = automation.Events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].kind, HostAutomationDelegate::Event::Kind::SetValueRequest);
  EXPECT_EQ(events[0].id, "1");
  EXPECT_EQ(events[0].value, 0.25);
  EXPECT_EQ(events[1].kind, HostAutomationDelegate::Event::Kind::CurrentValue);
  EXPECT_EQ(events[1].value, 0.25);
  EXPECT_EQ(Normal(*instance, "1"), 0.25);
  std::int32_t changes = -1;
  instance->Effect().ChangeCount(&changes);
  EXPECT_EQ(changes, 1);

  // The host decides: out-of-range requests are clamped before they are applied.
  ASSERT_EQ(instance->Effect().RequestParamValue("1", 1.5), AAX_SUCCESS);
  EXPECT_EQ(Normal(*instance, "1"), 1.0);
  EXPECT_EQ(instance->Effect().RequestParamValue("9", 0.5), AAX_ERROR_INVALID_PARAMETER_ID);

  bool touched = false;
  ASSERT_EQ(instance->Effect().TouchParam("2"), AAX_SUCCESS);
  ASSERT_EQ(automation.TouchState("2", &touched), AAX_SUCCESS);
  EXPECT_TRUE(touched);
  ASSERT_EQ(instance->Effect().ReleaseParam("2"), AAX_SUCCESS);
  ASSERT_EQ(automation.TouchState("2", &touched), AAX_SUCCESS);
  EXPECT_FALSE(touched);

  // Touches nest: a set value inside a drag is touch, request, release, and
  // its release leaves the drag's touch open. A stray release counts nothing.
  ASSERT_EQ(instance->Effect().ReleaseParam("2"), AAX_SUCCESS);
  ASSERT_EQ(instance->Effect().TouchParam("2"), AAX_SUCCESS);
  ASSERT_EQ(instance->Effect().TouchParam("2"), AAX_SUCCESS);
  ASSERT_EQ(instance->Effect().ReleaseParam("2"), AAX_SUCCESS);
  ASSERT_EQ(automation.TouchState("2", &touched), AAX_SUCCESS);
  EXPECT_TRUE(touched);
  ASSERT_EQ(instance->Effect().ReleaseParam("2"), AAX_SUCCESS);
  ASSERT_EQ(automation.TouchState("2", &touched), AAX_SUCCESS);
  EXPECT_FALSE(touched);

  HostString name;
  ASSERT_EQ(instance->Effect().ParamName("2", &name), AAX_SUCCESS);
  EXPECT_EQ(name.Text(), "Mode");
  instance.reset();
  EXPECT_TRUE(automation.Registered().empty());
}

TEST(HostModule, RenderAppliesTheEffectAndDeliversPostedPacketsOnTheNextCall)
{
  auto module = OpenTestModule();
  ASSERT_NE(module, nullptr);
  auto instance = NewInstance(*module, 1);
  ASSERT_NE(instance, nullptr);
  instance->Effect().RequestParamValue("1", 0.25); // gain 0.5

  constexpr int kFrames = 64;
  std::vector<float> inL(kFrames), inR(kFrames), outL(kFrames, -9.0f), outR(kFrames, -9.0f);
  for (int i = 0; i < kFrames; ++i)
  {
    inL[i] = static_cast<float>(i) / kFrames;
    inR[i] = -static_cast<float>(i) / 8.0f;
  }
  const float* inputs[] = {inL.data(), inR.data()};
  float* outputs[] = {outL.data(), outR.data()};

  HostTransport::State state;
  state.tempo = 93.0;
  instance->Transport().SetState(state);
  ASSERT_EQ(instance->Render(inputs, outputs, kFrames), AAX_SUCCESS);
  for (int i = 0; i < kFrames; ++i)
  {
    EXPECT_FLOAT_EQ(outL[i], inL[i] * 0.5f);
    EXPECT_FLOAT_EQ(outR[i], inR[i] * 0.5f);
  }
  EXPECT_EQ(CustomValue<double>(*instance, "tmpo"), 93.0);

  // Every render call follows an update pass whose number arrives with it
  // (this module numbers from 1); a number posted between calls waits for
  // the next call.
  EXPECT_EQ(LastStateNumber(*instance), 1);
  ASSERT_EQ(instance->Effect().DispatchParamPackets(), AAX_SUCCESS); // posts 2
  EXPECT_EQ(LastStateNumber(*instance), 1);
  instance->Render(inputs, outputs, kFrames); // its own pass posts 3
  EXPECT_EQ(LastStateNumber(*instance), 3);
  instance->Effect().DispatchParamPackets();
  instance->Effect().DispatchParamPackets();
  instance->Render(inputs, outputs, kFrames);
  EXPECT_EQ(LastStateNumber(*instance), 6);

  // MIDI fed to the input node comes back on the output node.
  HostMIDINode* midiIn = instance->MIDINode(AAX_eField_MIDIIn);
  HostMIDINode* midiOut = instance->MIDINode(AAX_eField_MIDIOut);
  ASSERT_NE(midiIn, nullptr);
  ASSERT_NE(midiOut, nullptr);
  AAX_MIDIPacket note{};
  note.mTimestamp = 17;
  note.mLength = 3;
  note.mData[0] = 0x90;
  note.mData[1] = 60;
  note.mData[2] = 100;
  midiIn->SetInput({note});
  instance->Render(inputs, outputs, kFrames);
  const auto echoed = midiOut->TakeOutput();
  ASSERT_EQ(echoed.size(), 1u);
  EXPECT_EQ(echoed[0].mTimestamp, 17u);
  EXPECT_EQ(echoed[0].mData[1], 60);
  EXPECT_TRUE(module->Host().Services().Assertions().empty());
}

TEST(HostModule, RenderCallsAllocateNothingInTheHost)
{
  // The host's side of a render call (update pass, packet hand-over, context
  // fields, transport) runs on the audio thread, so it must not allocate.
  // The module's own allocations are its business and are counted by the
  // validator; the counter here sees this executable's operator new only.
  auto module = OpenTestModule();
  ASSERT_NE(module, nullptr);
  auto instance = NewInstance(*module, 1);
  ASSERT_NE(instance, nullptr);
  constexpr int kFrames = 256;
  std::vector<float> inL(kFrames, 0.25f), inR(kFrames, -0.25f), outL(kFrames), outR(kFrames);
  const float* inputs[] = {inL.data(), inR.data()};
  float* outputs[] = {outL.data(), outR.data()};
  HostTransport::State state;
  state.playing = true;
  instance->Transport().SetState(state);
  ASSERT_EQ(instance->Render(inputs, outputs, kFrames), AAX_SUCCESS); // first call sizes things

  const std::int64_t before = LastStateNumber(*instance);
  brasmire::test::AllocationCounter counter;
  for (int call = 0; call < 100; ++call)
  {
    instance->Effect().DispatchParamPackets(); // a packet waiting between calls
    ASSERT_EQ(instance->Render(inputs, outputs, call % 2 ? kFrames : kFrames / 4), AAX_SUCCESS);
  }
  EXPECT_EQ(counter.Count(), 0);
  // Two update passes per call, each delivered: the packets really crossed.
  EXPECT_EQ(LastStateNumber(*instance), before + 200);
}

TEST(HostModule, TheMonoComponentRendersOneChannel)
{
  auto module = OpenTestModule();
  ASSERT_NE(module, nullptr);
  auto instance = NewInstance(*module, 0);
  ASSERT_NE(instance, nullptr);
  std::int32_t in = 0, out = 0;
  instance->Controller().InputStemFormat(&in);
  instance->Controller().OutputStemFormat(&out);
  EXPECT_EQ(in, 0x00000001);
  EXPECT_EQ(out, 0x00000001);
  // Only one channel exists: the effect must not touch a second one.
  std::vector<float> input(32, 0.5f), output(32, 0.0f);
  const float* inputs[] = {input.data()};
  float* outputs[] = {output.data()};
  ASSERT_EQ(instance->Render(inputs, outputs, 32), AAX_SUCCESS);
  for (float v : output)
    EXPECT_FLOAT_EQ(v, 0.5f); // default gain: normalised 0.5 is unity
  EXPECT_EQ(instance->Render(inputs, outputs, -1), AAX_ERROR_INVALID_ARGUMENT);
  EXPECT_EQ(instance->Render(inputs, outputs, HostInstance::kMaxFrames + 1),
            AAX_ERROR_INVALID_ARGUMENT);
}

TEST(HostModule, ChunkRoundTripBetweenTwoInstancesGivesIdenticalBytes)
{
  auto module = OpenTestModule();
  ASSERT_NE(module, nullptr);
  auto first = NewInstance(*module);
  auto second = NewInstance(*module);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  first->Effect().RequestParamValue("1", 0.75);
  first->Effect().RequestParamValue("2", 1.0);

  const AAX_CTypeID id = AAX_FourCC("tstc");
  std::uint32_t size = 0;
  ASSERT_EQ(first->Effect().ChunkSize(id, &size), AAX_SUCCESS);
  // Marker, then two entries of a 1-character name (prefix, name, zero byte) and a double.
  EXPECT_EQ(size, 4u + 2u * (4u + 8u));
  auto saved = NewRecord(size);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(saved.data());
  record->mChunkID = id;
  ASSERT_EQ(first->Effect().WriteChunk(id, record), AAX_SUCCESS);
  EXPECT_EQ(record->mSize, static_cast<std::int32_t>(size));

  bool equal = true;
  ASSERT_EQ(second->Effect().CompareChunk(record, &equal), AAX_SUCCESS);
  EXPECT_FALSE(equal);
  ASSERT_EQ(second->Effect().ApplyChunk(id, record), AAX_SUCCESS);
  EXPECT_EQ(Normal(*second, "1"), 0.75);
  EXPECT_EQ(Normal(*second, "2"), 1.0);
  ASSERT_EQ(second->Effect().CompareChunk(record, &equal), AAX_SUCCESS);
  EXPECT_TRUE(equal);

  auto again = NewRecord(size);
  auto* copy = reinterpret_cast<AAX_ChunkRecord*>(again.data());
  copy->mChunkID = id;
  ASSERT_EQ(second->Effect().WriteChunk(id, copy), AAX_SUCCESS);
  EXPECT_EQ(std::memcmp(AAX_ChunkData(record), AAX_ChunkData(copy), size), 0);

  // A record cut after the first entry restores that entry and leaves the rest.
  auto third = NewInstance(*module);
  ASSERT_NE(third, nullptr);
  record->mSize = 16;
  ASSERT_EQ(third->Effect().ApplyChunk(id, record), AAX_SUCCESS);
  EXPECT_EQ(Normal(*third, "1"), 0.75);
  EXPECT_EQ(Normal(*third, "2"), 0.0);

  // A record too small for the container is refused rather than overrun.
  auto small = NewRecord(12);
  EXPECT_EQ(first->Effect().WriteChunk(id, reinterpret_cast<AAX_ChunkRecord*>(small.data())), -333);
  const auto traces = module->Host().Services().Traces();
  ASSERT_FALSE(traces.empty());
  EXPECT_EQ(traces.back().message,
            "AAX_CChunkDataParser::GetChunkData ERROR: aborting: chunk data will overflow buffer");
}

TEST(HostModule, ViewOpensInItsContainerAndReachesTheEffect)
{
  auto module = OpenTestModule();
  ASSERT_NE(module, nullptr);
  auto instance = NewInstance(*module);
  ASSERT_NE(instance, nullptr);

  // The effect object answers its own IDs and the base unknown, not the view's.
  void* out = reinterpret_cast<void*>(std::uintptr_t{1});
  EXPECT_EQ(instance->Effect().QueryInterface(AAX_IID_EffectGUI, &out), ACF_E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  for (const ACF_ID& iid : {AAX_IID_EffectParametersV2, AAX_IID_EffectParametersV3,
                            AAX_IID_EffectParametersV4, IID_IACFUnknown})
  {
    ASSERT_EQ(instance->Effect().QueryInterface(iid, &out), ACF_OK);
    static_cast<IACFUnknown*>(out)->Release();
  }

  // A zeroed host surface: the view reads its header and opens no editor.
  AAX_HostSurface surface{};
  void* parent = &surface;
  ASSERT_EQ(instance->OpenView(parent), AAX_SUCCESS);
  HostViewContainer* container = instance->ViewContainer();
  ASSERT_NE(container, nullptr);
  const auto sizes = container->SizeRequests();
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].vert, 200.0f);
  EXPECT_EQ(sizes[0].horz, 300.0f);
  const auto clicks = container->MouseEvents();
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].id, "1");

  AAX_Point size{};
  ASSERT_EQ(instance->View()->ViewSize(&size), AAX_SUCCESS);
  EXPECT_EQ(size.horz, 300.0f);
  EXPECT_EQ(size.vert, 200.0f);
  EXPECT_EQ(instance->View()->SetParamHighlight("2", true, 0), AAX_SUCCESS);
  EXPECT_EQ(instance->View()->SetParamHighlight("9", true, 0), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(instance->View()->CustomViewData(0, &out), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(instance->View()->QueryInterface(AAX_IID_EffectParameters, &out), ACF_E_NOINTERFACE);
  EXPECT_EQ(instance->CloseView(), AAX_SUCCESS);
}

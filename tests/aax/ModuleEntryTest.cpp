#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Exception.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_ModuleEntry.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VCollection.h"
#include "AAX_SDK/Libs/AAXLibrary/source/CACFUnknown.h"
#include "Host/HostCollection.h"
#include "tests/aax/HostServicesFixture.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace
{
AAX_Result DescribeOneEffect(AAX_VCollection* collection)
{
  AAX_VEffectDescriptor* effect = collection->NewDescriptor();
  if (effect == nullptr) return AAX_ERROR_NULL_OBJECT;
  AAX_Result err = effect->AddName("Probe");
  AAX_VComponentDescriptor* component = effect->NewComponentDescriptor();
  if (component == nullptr) return AAX_ERROR_NULL_OBJECT;
  err |= component->AddAudioIn(0);
  err |= effect->AddComponent(component);
  err |= collection->AddEffect("com.Quillmarsh.aax.Probe", effect);
  err |= collection->SetManufacturerName("Quillmarsh");
  return err;
}

AAX_Result DescribeDuplicate(AAX_VCollection* collection)
{
  const AAX_Result first = DescribeOneEffect(collection);
  if (first != AAX_SUCCESS) return first;
  return DescribeOneEffect(collection); // same effect ID again: -20035
}

AAX_Result DescribeThrowingStd(AAX_VCollection*)
{
  throw std::runtime_error("description ran out of luck");
}

AAX_Result DescribeThrowingLibrary(AAX_VCollection*)
{
  throw AAX::Exception::Any("bad layout", "Describe", "12");
}

AAX_Result DescribeThrowingOther(AAX_VCollection*)
{
  throw 42;
}

class ProbeObject final : public AAX_CACFObject<IACFUnknown>
{
public:
  ProbeObject() = default;
};

// A host object whose every query throws: the host side misbehaving.
class ThrowingHost final : public IACFUnknown
{
public:
  ACFRESULT QueryInterface(const ACF_ID&, void**) override { throw std::bad_alloc(); }
  std::int32_t AddRef() override { return 1; }
  std::int32_t Release() override { return 1; }
};
// Host services that throw when the module gives them back.
class ServicesThatThrowOnRelease final : public AAX_IHostServices
{
public:
  ACFRESULT QueryInterface(const ACF_ID&, void** out) override
  {
    *out = nullptr;
    return ACF_E_NOINTERFACE;
  }
  std::int32_t AddRef() override { return ++references; }
  std::int32_t Release() override
  {
    --references;
    throw std::runtime_error("host failed to release");
  }
  AAX_Result HandleAssertFailure(const char*, std::int32_t, const char*) override { return 0; }
  AAX_Result Trace(std::int32_t, const char*) override { return 0; }
  std::int32_t references = 0;
};

class HostWithThrowingServices final : public AAX_IHostFactory
{
public:
  ACFRESULT QueryInterface(const ACF_ID& iid, void** out) override
  {
    *out = iid == AAX_IID_HostFactory ? this : nullptr;
    return *out ? ACF_OK : ACF_E_NOINTERFACE;
  }
  std::int32_t AddRef() override { return 1; }
  std::int32_t Release() override { return 1; }
  ACFRESULT CreateInstance(const ACF_ID& classId, IACFUnknown*, const ACF_ID& iid,
                           void** out) override
  {
    *out = nullptr;
    if (!(classId == AAX_CLSID_HostServices) || !(iid == AAX_IID_HostServices))
      return ACF_E_NOINTERFACE;
    services.AddRef();
    *out = static_cast<AAX_IHostServices*>(&services);
    return ACF_OK;
  }
  ServicesThatThrowOnRelease services;
};
} // namespace

using ModuleEntry = HostServicesFixture;

TEST_F(ModuleEntry, RegistrationHandsBackTheHostCollectionAsDefinition)
{
  IACFUnknown* definition = nullptr;
  ASSERT_EQ(AAX_ModuleRegisterPlugin(HostUnknown(), &definition, &DescribeOneEffect), ACF_OK);
  ASSERT_NE(definition, nullptr);
  auto collection =
      aaxhost::QueryRef<aaxhost::HostCollection>(definition, aaxhost::kHostSelfCollection);
  definition->Release();
  ASSERT_TRUE(collection);
  ASSERT_EQ(collection->Effects().size(), 1u);
  EXPECT_EQ(collection->Effects()[0].id, "com.Quillmarsh.aax.Probe");
  EXPECT_EQ(collection->ManufacturerName(), "Quillmarsh");
  EXPECT_TRUE(Services().Traces().empty());
}

TEST_F(ModuleEntry, AFailingDescriptionReturnsItsResultAfterTracingIt)
{
  IACFUnknown* definition = reinterpret_cast<IACFUnknown*>(std::uintptr_t{1});
  EXPECT_EQ(AAX_ModuleRegisterPlugin(HostUnknown(), &definition, &DescribeDuplicate), -20035);
  EXPECT_EQ(definition, nullptr);
  const auto traces = Services().Traces();
  ASSERT_EQ(traces.size(), 2u);
  EXPECT_EQ(traces[0].message,
            "AAX_CheckedResult - throwing AAX_ERROR_DUPLICATE_EFFECT_ID (-20035)");
  EXPECT_EQ(traces[1].priority, 0x8000000);
  EXPECT_EQ(traces[1].message,
            "AAXRegisterPlugin exception caught: AAX_ERROR_DUPLICATE_EFFECT_ID (-20035)");
}

TEST_F(ModuleEntry, ExceptionsFromTheDescriptionBecomeMinus20042)
{
  IACFUnknown* definition = nullptr;
  EXPECT_EQ(AAX_ModuleRegisterPlugin(HostUnknown(), &definition, &DescribeThrowingStd), -20042);
  EXPECT_EQ(AAX_ModuleRegisterPlugin(HostUnknown(), &definition, &DescribeThrowingLibrary), -20042);
  EXPECT_EQ(AAX_ModuleRegisterPlugin(HostUnknown(), &definition, &DescribeThrowingOther), -20042);
  const auto traces = Services().Traces();
  ASSERT_EQ(traces.size(), 3u);
  EXPECT_EQ(traces[0].message, "AAXRegisterPlugin exception caught: description ran out of luck");
  EXPECT_EQ(traces[1].message,
            "AAXRegisterPlugin exception caught: bad layout func:Describe line:12");
  EXPECT_EQ(traces[2].message, "AAXRegisterPlugin exception caught: unknown");
}

TEST_F(ModuleEntry, AHostWithoutPluginDefinitionGivesMinus20004)
{
  mPolicy->Withhold(AAX_IID_PluginDefinition);
  IACFUnknown* definition = nullptr;
  EXPECT_EQ(AAX_ModuleRegisterPlugin(HostUnknown(), &definition, &DescribeOneEffect), -20004);
  EXPECT_EQ(definition, nullptr);
  EXPECT_EQ(AAX_ModuleRegisterPlugin(HostUnknown(), nullptr, &DescribeOneEffect),
            AAX_ERROR_NULL_ARGUMENT);
}

TEST_F(ModuleEntry, StartupKeepsOneHostServicesAndANullHostDeletesThem)
{
  AAX_VHostServices* services = AAX_VHostServices::Current();
  ASSERT_EQ(AAX_ModuleStartup(HostUnknown()), ACF_OK);
  EXPECT_EQ(AAX_VHostServices::Current(), services);
  ASSERT_EQ(AAX_ModuleStartup(nullptr), ACF_OK);
  EXPECT_EQ(AAX_VHostServices::Current(), nullptr);
  ASSERT_EQ(AAX_ModuleStartup(nullptr), ACF_OK);
  ASSERT_EQ(AAX_ModuleStartup(HostUnknown()), ACF_OK);
  EXPECT_NE(AAX_VHostServices::Current(), nullptr);
}

TEST(ModuleExports, FixedAnswers)
{
  void* factory = reinterpret_cast<void*>(std::uintptr_t{1});
  EXPECT_EQ(AAX_ModuleGetClassFactory(nullptr, &IID_IACFUnknown, &IID_IACFUnknown, &factory),
            AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(factory, nullptr);
  IACFUnknown* component = reinterpret_cast<IACFUnknown*>(std::uintptr_t{1});
  EXPECT_EQ(AAX_ModuleRegisterComponent(nullptr, 0, &component), ACF_OK);
  EXPECT_EQ(component, nullptr);
  std::uint64_t version = 0;
  EXPECT_EQ(AAX_ModuleGetSDKVersion(&version), ACF_OK);
  EXPECT_EQ(version, 0x00000204013449EAull);
  EXPECT_EQ(AAX_ModuleGetSDKVersion(nullptr), AAX_ERROR_NULL_ARGUMENT);
  EXPECT_EQ(AAX_ModuleShutdown(), ACF_OK); // without services: nothing to do
}

TEST(ModuleExports, CanUnloadNowCountsLiveObjects)
{
  const ACFRESULT before = AAX_ModuleCanUnloadNow();
  EXPECT_EQ(before, 0);
  auto* a = new ProbeObject;
  a->AddRef();
  auto* b = new ProbeObject;
  b->AddRef();
  EXPECT_EQ(AAX_ModuleCanUnloadNow(), 2);
  a->Release();
  EXPECT_EQ(AAX_ModuleCanUnloadNow(), 1);
  b->Release();
  EXPECT_EQ(AAX_ModuleCanUnloadNow(), 0);
}

TEST(ModuleExports, NoExceptionLeavesAnExport)
{
  // A host that throws from its own calls.
  ThrowingHost host;
  EXPECT_EQ(AAX_ModuleStartup(&host), ACF_E_UNEXPECTED);
  EXPECT_EQ(AAX_VHostServices::Current(), nullptr);
  IACFUnknown* definition = nullptr;
  EXPECT_EQ(AAX_ModuleRegisterPlugin(&host, &definition, &DescribeOneEffect),
            AAX_ERROR_UNKNOWN_EXCEPTION);
  // The guard every export runs in.
  EXPECT_EQ(AAX_GuardExport([]() -> ACFRESULT { throw std::bad_alloc(); }), ACF_E_UNEXPECTED);
  EXPECT_EQ(AAX_GuardExport([]() -> ACFRESULT { throw AAX::Exception::ResultError(-20001); }),
            ACF_E_UNEXPECTED);
  EXPECT_EQ(AAX_GuardExport([]() -> ACFRESULT { throw 1; }), ACF_E_UNEXPECTED);
  EXPECT_EQ(AAX_GuardExport([]() -> ACFRESULT { return 5; }), 5);
}

TEST(ModuleExports, AHostThatThrowsWhileShuttingDownGetsAResultCode)
{
  for (bool byShutdown : {true, false})
  {
    HostWithThrowingServices host;
    ASSERT_EQ(AAX_ModuleStartup(&host), ACF_OK);
    ASSERT_NE(AAX_VHostServices::Current(), nullptr);
    EXPECT_EQ(host.services.references, 1);
    const ACFRESULT result = byShutdown ? AAX_ModuleShutdown() : AAX_ModuleStartup(nullptr);
    EXPECT_EQ(result, ACF_E_UNEXPECTED);
    EXPECT_EQ(AAX_VHostServices::Current(), nullptr); // nothing left pointing at the host
    EXPECT_EQ(host.services.references, 0);           // given back exactly once
  }
}

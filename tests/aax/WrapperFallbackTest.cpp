#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_Properties.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CString.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VAutomationDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VCollection.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VController.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VHostServices.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VPageTable.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VTransport.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"
#include "Host/HostViewContainer.h"
#include "Host/InstanceContext.h"

#include <gtest/gtest.h>

using namespace aaxhost;

namespace
{
// A host, and an instance context on it, whose interfaces the test withholds.
class Wrappers : public ::testing::Test
{
protected:
  Wrappers()
      : mPolicy(std::make_shared<InterfacePolicy>()),
        mHost(HostRef<HostObject>::Adopt(NewHostObject<HostObject>(mPolicy))),
        mContext(HostRef<InstanceContext>::Adopt(NewHostObject<InstanceContext>(mHost, "fx")))
  {
  }
  IACFUnknown* Host() const { return static_cast<AAX_IHostFactory*>(mHost.Get()); }
  IACFUnknown* Context() const { return mContext.Get(); }

  std::shared_ptr<InterfacePolicy> mPolicy;
  HostRef<HostObject> mHost;
  HostRef<InstanceContext> mContext;
};
} // namespace

TEST_F(Wrappers, ControllerFallsBackPerVersion)
{
  {
    AAX_VController full(Context());
    std::int64_t cycles = -1;
    EXPECT_EQ(full.CycleCount(&cycles), AAX_SUCCESS);
    EXPECT_EQ(cycles, 0);
    AAX_CString name;
    EXPECT_EQ(full.HostName(&name), AAX_SUCCESS);
    EXPECT_EQ(name.StdString(), HostObject::kHostName);
  }
  for (const ACF_ID& iid :
       {AAX_IID_ControllerV2, AAX_IID_ControllerV3, AAX_IID_ControllerV4, AAX_IID_ControllerV5})
    mPolicy->Withhold(iid);
  {
    AAX_VController older(Context());
    float rate = 0.0f;
    EXPECT_EQ(older.SampleRate(&rate), AAX_SUCCESS);
    EXPECT_EQ(rate, 48000.0f);
    std::int64_t value = 0;
    std::int32_t latency = 0;
    AAX_CString name;
    EXPECT_EQ(older.CycleCount(&value), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ(older.TimeOfDay(&value), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ(older.HybridSignalLatency(&latency), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ(older.HostName(&name), AAX_ERROR_UNIMPLEMENTED);
  }
  mPolicy->Withhold(AAX_IID_Controller);
  AAX_VController none(Context());
  EXPECT_FALSE(none.IsValid());
  float rate = 0.0f;
  std::int32_t stem = 0;
  EXPECT_EQ(none.SampleRate(&rate), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(none.InputStemFormat(&stem), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(none.SetSignalLatency(64), AAX_ERROR_NULL_OBJECT);
  const std::int64_t number = 1;
  EXPECT_EQ(none.PostPacket(25, &number, 8), AAX_ERROR_NULL_OBJECT);
  AAX_VController noHost(nullptr);
  EXPECT_EQ(noHost.SampleRate(&rate), AAX_ERROR_NULL_OBJECT);
}

TEST_F(Wrappers, AWrapperReleasesEveryInterfaceItHolds)
{
  const std::int32_t before = mContext->Controller().ReferenceCount();
  {
    AAX_VController controller(Context());
    EXPECT_EQ(mContext->Controller().ReferenceCount(), before + 5);
  }
  EXPECT_EQ(mContext->Controller().ReferenceCount(), before);
}

TEST_F(Wrappers, TransportAndAutomationFallBacks)
{
  mPolicy->Withhold(AAX_IID_TransportV2);
  mPolicy->Withhold(AAX_IID_TransportV3);
  AAX_VTransport transport(Context());
  double tempo = 0.0;
  EXPECT_EQ(transport.CurrentTempo(&tempo), AAX_SUCCESS);
  EXPECT_EQ(tempo, 120.0);
  std::int32_t bars = 0, beats = 0;
  std::int64_t ticks = 0;
  bool recording = true;
  EXPECT_EQ(transport.BarBeatPosition(&bars, &beats, &ticks), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(transport.IsRecording(&recording), AAX_ERROR_UNIMPLEMENTED);
  AAX_VTransport noTransport(nullptr);
  EXPECT_EQ(noTransport.CurrentTempo(&tempo), AAX_ERROR_NULL_OBJECT);

  mPolicy->Withhold(AAX_IID_AutomationDelegate);
  AAX_VAutomationDelegate automation(Context());
  EXPECT_FALSE(automation.IsValid());
  EXPECT_EQ(automation.RegisterParameter("1"), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(automation.PostSetValueRequest("1", 0.5), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(automation.PostTouchRequest("1"), AAX_ERROR_NULL_OBJECT);
  bool touched = false;
  EXPECT_EQ(automation.TouchState("1", &touched), AAX_ERROR_NULL_OBJECT);
}

TEST_F(Wrappers, ViewContainerAnswersMinus20009ButAcceptsSizeRequestsWithoutAHost)
{
  AAX_VViewContainer none(nullptr);
  EXPECT_EQ(none.Type(), AAX_IViewContainer::eType_None);
  EXPECT_EQ(none.NativeParent(), nullptr);
  EXPECT_EQ(none.SetViewSize({100.0f, 200.0f}), AAX_SUCCESS);
  std::uint32_t mask = 0;
  EXPECT_EQ(none.Modifiers(&mask), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(none.HandleParameterMouseDown("1", 0), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(none.HandleParameterMouseUp("1", 0), AAX_ERROR_UNIMPLEMENTED);

  mPolicy->Withhold(AAX_IID_ViewContainerV2);
  void* parent = reinterpret_cast<void*>(std::uintptr_t{0x40});
  auto container =
      HostRef<HostViewContainer>::Adopt(NewHostObject<HostViewContainer>(mPolicy, parent));
  AAX_VViewContainer older(static_cast<AAX_IViewContainer*>(container.Get()));
  EXPECT_EQ(older.NativeParent(), parent);
  EXPECT_EQ(older.HandleParameterMouseDown("1", 2), 1);
  EXPECT_EQ(older.HandleParameterMouseDrag("1", 2), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(container->MouseEvents().size(), 1u);
}

TEST_F(Wrappers, PageTableAnswersMinus20009Throughout)
{
  AAX_VPageTable table(Context());
  EXPECT_FALSE(table.IsSupported());
  std::int32_t pages = 5;
  EXPECT_EQ(table.Clear(), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(table.PageCount(&pages), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(table.MapParameter("1", 0, 0), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(table.SetPageName(0, "x"), AAX_ERROR_UNIMPLEMENTED);
}

TEST_F(Wrappers, HostServicesFallBackPerVersion)
{
  mPolicy->Withhold(AAX_IID_HostServicesV3);
  {
    AAX_VHostServices services(Host());
    EXPECT_EQ(services.Trace(1, "kept"), AAX_SUCCESS);
    EXPECT_EQ(services.AssertionReport("p", 1, "e", 1), AAX_SUCCESS);
    EXPECT_EQ(services.StackTrace(1, 2, "lost"), AAX_ERROR_UNIMPLEMENTED);
  }
  EXPECT_EQ(mHost->Services().Traces().size(), 1u);
  mPolicy->Withhold(AAX_IID_HostServices);
  AAX_VHostServices none(Host());
  EXPECT_EQ(none.Trace(1, "lost"), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(none.HandleAssertFailure("p", 1, "e"), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(none.AssertionReport("p", 1, "e", 1), AAX_ERROR_UNIMPLEMENTED);
}

TEST_F(Wrappers, DescriptionWrappersFallBackPerVersion)
{
  for (const ACF_ID& iid :
       {AAX_IID_EffectDescriptorV2, AAX_IID_ComponentDescriptorV2, AAX_IID_ComponentDescriptorV3,
        AAX_IID_PropertyMapV2, AAX_IID_PropertyMapV3, AAX_IID_DescriptionHostV2})
    mPolicy->Withhold(iid);
  AAX_VCollection collection(Host());
  ASSERT_TRUE(collection.IsValid());
  AAX_VEffectDescriptor* effect = collection.NewDescriptor();
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->AddName("x"), AAX_SUCCESS);
  EXPECT_EQ(effect->AddResourceInfo(1, "page.xml"), AAX_ERROR_UNIMPLEMENTED);
  AAX_VComponentDescriptor* component = effect->NewComponentDescriptor();
  ASSERT_NE(component, nullptr);
  EXPECT_EQ(component->AddAudioIn(0), AAX_SUCCESS);
  EXPECT_EQ(component->AddTemporaryData(9, 16), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(component->AddOfflineProcessProc(nullptr, nullptr), AAX_ERROR_UNIMPLEMENTED);
  AAX_VPropertyMap* map = component->NewPropertyMap();
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->AddProperty(AAX_eProperty_InputStemFormat, 1), AAX_SUCCESS);
  AAX_CPropertyValue value = 0;
  EXPECT_TRUE(map->GetProperty(51, &value));
  EXPECT_EQ(value, 1);
  EXPECT_FALSE(map->GetProperty(52, &value));
  const AAX_CTypeID ids[] = {1};
  EXPECT_EQ(map->AddPropertyWithIDArray(5, ids, 1), AAX_ERROR_UNIMPLEMENTED);
  std::uint32_t count = 0;
  EXPECT_FALSE(map->GetPropertyWithIDArray(5, nullptr, 0, &count));
  AAX_CString name;
  ASSERT_TRUE(collection.DescriptionHost()->IsValid());
  EXPECT_EQ(collection.DescriptionHost()->HostName(&name), AAX_ERROR_UNIMPLEMENTED);
}

TEST_F(Wrappers, WithoutTheHostFactoryNothingCanBeDescribed)
{
  mPolicy->Withhold(AAX_IID_HostFactory);
  AAX_VCollection collection(Host());
  EXPECT_FALSE(collection.IsValid());
  EXPECT_EQ(collection.NewDescriptor(), nullptr);
  EXPECT_EQ(collection.NewPropertyMap(), nullptr);
  EXPECT_EQ(collection.AddEffect("x", nullptr), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(collection.SetManufacturerName("Quillmarsh"), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(collection.AddPackageName("x"), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(collection.SetPackageVersion(1), AAX_ERROR_NULL_OBJECT);
  AAX_VEffectDescriptor effect(Host());
  EXPECT_EQ(effect.AddName("x"), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(effect.AddResourceInfo(1, "x"), AAX_ERROR_UNIMPLEMENTED);
  AAX_VPropertyMap map(Host());
  EXPECT_EQ(map.AddProperty(1, 1), AAX_ERROR_NULL_OBJECT);
}

TEST_F(Wrappers, FeatureInformationComesFromTheDescriptionHost)
{
  const ACF_ID feature = ACF_MakeID("11111111-2222-3333-4444-555555555555");
  mHost->AddFeature(feature, AAX_eSupportLevel_Supported, {{1, 5}});
  AAX_VDescriptionHost host(Host());
  auto info = host.AcquireFeatureInfo(feature);
  ASSERT_NE(info, nullptr);
  std::int32_t level = 0;
  EXPECT_EQ(info->SupportLevel(&level), AAX_SUCCESS);
  EXPECT_EQ(level, AAX_eSupportLevel_Supported);
  ASSERT_NE(info->ID(), nullptr);
  EXPECT_TRUE(*info->ID() == feature);
  auto properties = info->AcquireProperties();
  ASSERT_NE(properties, nullptr);
  AAX_CPropertyValue value = 0;
  EXPECT_TRUE(properties->GetProperty(1, &value));
  EXPECT_EQ(value, 5);
  EXPECT_EQ(host.AcquireFeatureInfo(IID_IACFUnknown), nullptr);

  mPolicy->Withhold(AAX_IID_DescriptionHost);
  AAX_VDescriptionHost none(Host());
  EXPECT_FALSE(none.IsValid());
  EXPECT_EQ(none.AcquireFeatureInfo(feature), nullptr);
  AAX_VFeatureInfo noInfo(nullptr);
  EXPECT_EQ(noInfo.SupportLevel(&level), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(noInfo.ID(), nullptr);
}

// The effect-parameters base as the host drives it: queries, value traffic in
// both directions, change counting, notifications and the fixed answers.

#include "AAX_SDK/Interfaces/AAX_IPageTable.h"
#include "Host/HostUnknown.h"
#include "tests/aax_params/ParamsHost.h"

#include <cmath>
#include <limits>

using namespace paramstest;
using Kind = HostAutomationDelegate::Event::Kind;

TEST_F(ParamsHostTest, EveryParameterIsRegisteredOnceInOrder)
{
  std::int32_t count = 0;
  ASSERT_EQ(Effect().ParamCount(&count), AAX_SUCCESS);
  ASSERT_EQ(count, static_cast<std::int32_t>(kIds.size()));
  for (std::size_t i = 0; i < kIds.size(); ++i)
  {
    HostString id;
    ASSERT_EQ(Effect().ParamIdAt(static_cast<std::int32_t>(i), &id), AAX_SUCCESS);
    EXPECT_EQ(id.Text(), kIds[i]);
    std::int32_t index = -1;
    ASSERT_EQ(Effect().ParamIndexOf(kIds[i].c_str(), &index), AAX_SUCCESS);
    EXPECT_EQ(index, static_cast<std::int32_t>(i));
  }
  // The refused duplicate left the first "2" in place.
  HostString name;
  ASSERT_EQ(Effect().ParamName("2", &name), AAX_SUCCESS);
  EXPECT_EQ(name.Text(), "Mode");
  const auto registered = Automation().Registered();
  EXPECT_EQ(registered, std::set<std::string>(kIds.begin(), kIds.end()));

  HostString bypass{std::string("x")};
  ASSERT_EQ(Effect().MasterBypassParamId(&bypass), AAX_SUCCESS);
  EXPECT_EQ(bypass.Text(), "");
  bool automatable = true;
  ASSERT_EQ(Effect().ParamIsAutomatable(kIds[6].c_str(), &automatable), AAX_SUCCESS);
  EXPECT_FALSE(automatable);
  ASSERT_EQ(Effect().ParamIsAutomatable("1", &automatable), AAX_SUCCESS);
  EXPECT_TRUE(automatable);
  EXPECT_FALSE(Reported("mNumChunkedParameters >= 0"));
}

TEST_F(ParamsHostTest, UnregisteredIdentifiersGiveTheirCodesAndChangeNothing)
{
  Automation().ClearEvents();
  const std::int32_t changesBefore = Changes();
  const char* id = "nope";
  bool b = true;
  std::int32_t i = 7;
  double d = 0.0;
  HostString text{std::string("keep")};
  AAX_IParameter* object = reinterpret_cast<AAX_IParameter*>(std::uintptr_t{16});
  EXPECT_EQ(Effect().ParamIsAutomatable(id, &b), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_FALSE(b);
  EXPECT_EQ(Effect().ParamStepCount(id, &i), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ParamName(id, &text), AAX_SUCCESS);
  EXPECT_EQ(text.Text(), "");
  text.Set("keep");
  EXPECT_EQ(Effect().ParamNameForLength(id, &text, 10), AAX_SUCCESS);
  EXPECT_EQ(text.Text(), "");
  EXPECT_EQ(Effect().ParamDefaultNormal(id, &d), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().SetParamDefaultNormal(id, 0.5), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ParamTypeCode(id, &i), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ParamOrientationCode(id, &i), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ParamObject(id, &object), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(Effect().ParamIndexOf(id, &i), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(i, -1);
  EXPECT_EQ(Effect().ParamIndexOf(nullptr, &i), AAX_ERROR_INVALID_PARAMETER_ID);
  text.Set("keep");
  EXPECT_EQ(Effect().ParamIdAt(static_cast<std::int32_t>(kIds.size()), &text),
            AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(text.Text(), "");
  EXPECT_EQ(Effect().ParamIdAt(-1, &text), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ParamValueFromText(id, &d, &text), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ParamTextFromValue(id, 0.5, &text, 8), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ParamValueText(id, &text, 8), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ParamNormal(id, &d), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().RequestParamValue(id, 0.5), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().RequestParamValueRelative(id, 0.5), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().TouchParam(id), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ReleaseParam(id), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ApplyHostParamValue(id, 0.5, 1), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ApplyHostParamValueRelative(id, 0.5), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(Effect().ApplyHostParamValue(nullptr, 0.5, 1), AAX_ERROR_INVALID_PARAMETER_ID);
  i = 9;
  EXPECT_EQ(Effect().ParamValueInfo("1", 0, &i), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(i, 0);
  EXPECT_EQ(Effect().ParamNameForLength("1", nullptr, 4), AAX_ERROR_INVALID_STRING_CONVERSION);
  EXPECT_EQ(Effect().ParamValueFromText("1", &d, nullptr), AAX_ERROR_INVALID_STRING_CONVERSION);

  EXPECT_TRUE(Automation().Events().empty());
  EXPECT_EQ(Changes(), changesBefore);
  EXPECT_NEAR(Normal("1"), LevelNormal(0.0), 1e-15);
}

TEST_F(ParamsHostTest, RequestsGoThroughTheHostWhichAppliesThem)
{
  Automation().ClearEvents();
  ASSERT_EQ(Effect().RequestParamValue("1", 0.25), AAX_SUCCESS);
  const auto events = Automation().Events();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].kind, Kind::Touch);
  EXPECT_EQ(events[1].kind, Kind::SetValueRequest);
  EXPECT_EQ(events[1].value, 0.25);
  EXPECT_EQ(events[2].kind, Kind::CurrentValue); // the host's answer, posted back
  EXPECT_EQ(events[3].kind, Kind::Release);
  for (const auto& e : events)
    EXPECT_EQ(e.id, "1");
  EXPECT_DOUBLE_EQ(Normal("1"), 0.25);

  Automation().ClearEvents();
  ASSERT_EQ(Effect().TouchParam("2"), AAX_SUCCESS);
  ASSERT_EQ(Effect().ReleaseParam("2"), AAX_SUCCESS);
  ASSERT_EQ(Automation().Events().size(), 2u);
  EXPECT_EQ(Automation().Events()[0].kind, Kind::Touch);
  EXPECT_EQ(Automation().Events()[1].kind, Kind::Release);
  EXPECT_EQ(Effect().ParamTouchChanged("2"), AAX_SUCCESS);
}

TEST_F(ParamsHostTest, RelativeRequestsAndUpdatesAreClampedToTheRange)
{
  ASSERT_EQ(Effect().RequestParamValue("1", 0.9), AAX_SUCCESS);
  Automation().ClearEvents();
  ASSERT_EQ(Effect().RequestParamValueRelative("1", 0.3), AAX_SUCCESS);
  const auto requests = EventsOf(Kind::SetValueRequest, "1");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].value, 1.0);
  EXPECT_EQ(Normal("1"), 1.0);
  ASSERT_EQ(Effect().RequestParamValueRelative("1", -2.5), AAX_SUCCESS);
  EXPECT_EQ(Normal("1"), 0.0);

  ASSERT_EQ(Effect().ApplyHostParamValueRelative("1", 0.4), AAX_SUCCESS);
  EXPECT_DOUBLE_EQ(Normal("1"), 0.4);
  ASSERT_EQ(Effect().ApplyHostParamValueRelative("1", 5.0), AAX_SUCCESS);
  EXPECT_EQ(Normal("1"), 1.0);
  ASSERT_EQ(Effect().ApplyHostParamValueRelative("1", -5.0), AAX_SUCCESS);
  EXPECT_EQ(Normal("1"), 0.0);
}

TEST_F(ParamsHostTest, AnUpdateToTheSameValuePostsOnlyOnce)
{
  Automation().ClearEvents();
  // The host's first decision is posted even when it equals the default.
  const double start = LevelNormal(0.0);
  ASSERT_EQ(Effect().ApplyHostParamValue("1", start, 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().ApplyHostParamValue("1", start, 1), AAX_SUCCESS);
  EXPECT_EQ(EventsOf(Kind::CurrentValue, "1").size(), 1u);
  ASSERT_EQ(Effect().ApplyHostParamValue("1", 0.75, 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().ApplyHostParamValue("1", 0.75, 1), AAX_SUCCESS);
  const auto posted = EventsOf(Kind::CurrentValue, "1");
  ASSERT_EQ(posted.size(), 2u);
  EXPECT_EQ(posted[1].value, 0.75);
  // Integer parameters compare the whole numbers: 0.6 and 0.9 are both 1.
  ASSERT_EQ(Effect().ApplyHostParamValue("3", 0.6, 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().ApplyHostParamValue("3", 0.9, 1), AAX_SUCCESS);
  EXPECT_EQ(EventsOf(Kind::CurrentValue, "3").size(), 1u);
}

TEST_F(ParamsHostTest, ChangesAreCountedAgainstTheRememberedValueWithNaNAlwaysDifferent)
{
  EXPECT_EQ(Changes(), 0);
  ASSERT_EQ(Effect().ApplyHostParamValue("1", Normal("1"), 1), AAX_SUCCESS);
  EXPECT_EQ(Changes(), 0);
  ASSERT_EQ(Effect().ApplyHostParamValue("1", 0.5, 1), AAX_SUCCESS);
  EXPECT_EQ(Changes(), 1);
  ASSERT_EQ(Effect().ApplyHostParamValue("1", 0.5, 1), AAX_SUCCESS);
  EXPECT_EQ(Changes(), 1);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  ASSERT_EQ(Effect().ApplyHostParamValue("1", nan, 1), AAX_SUCCESS);
  EXPECT_EQ(Changes(), 2);
  // The curve confines NaN to the minimum: the value stays usable.
  EXPECT_EQ(Normal("1"), 0.0);
  ASSERT_EQ(Effect().ApplyHostParamValue("1", nan, 1), AAX_SUCCESS);
  EXPECT_EQ(Changes(), 3);
  // An int parameter given NaN lands on its minimum too.
  ASSERT_EQ(Effect().ApplyHostParamValue("3", nan, 1), AAX_SUCCESS);
  EXPECT_EQ(Normal("3"), 0.0);
  EXPECT_EQ(Changes(), 4);
}

TEST_F(ParamsHostTest, NameForLengthPicksTheLongestPieceThatFits)
{
  auto nameFor = [&](const char* id, std::int32_t length)
  {
    HostString text{std::string("stale")};
    EXPECT_EQ(Effect().ParamNameForLength(id, &text, length), AAX_SUCCESS);
    return text.Text();
  };
  // "5" is named "Output Gain\nOut Gain\nOut".
  EXPECT_EQ(nameFor("5", 8), "Out Gain");
  EXPECT_EQ(nameFor("5", 10), "Out Gain");
  EXPECT_EQ(nameFor("5", 11), "Output Gain");
  EXPECT_EQ(nameFor("5", 3), "Out");
  EXPECT_EQ(nameFor("5", 2), "Ou");
  EXPECT_EQ(nameFor("5", 0), "");
  EXPECT_EQ(nameFor("5", -1), "");
  EXPECT_EQ(nameFor("5", 100), "Output Gain");
  // "1" (Level) has the shortened names Lvl and L.
  EXPECT_EQ(nameFor("1", 10), "Level");
  EXPECT_EQ(nameFor("1", 5), "Level");
  EXPECT_EQ(nameFor("1", 4), "Lvl");
  EXPECT_EQ(nameFor("1", 3), "Lvl");
  EXPECT_EQ(nameFor("1", 2), "L");
  EXPECT_EQ(nameFor("1", 1), "L");
  EXPECT_EQ(nameFor("1", 0), "");
}

TEST_F(ParamsHostTest, PreviewNotificationSetsThePreviewParameter)
{
  const std::int32_t on = 1, off = 0;
  const AAX_CTypeID preview = AAX_FourCC("ASPv");
  ASSERT_EQ(Effect().OnHostNotification(preview, &on, sizeof on), AAX_SUCCESS);
  EXPECT_EQ(Normal("PreviewID"), 1.0);
  ASSERT_EQ(Effect().OnHostNotification(preview, &off, sizeof off), AAX_SUCCESS);
  EXPECT_EQ(Normal("PreviewID"), 0.0);
  // Too short to hold the flag, no data, or another type: nothing changes.
  ASSERT_EQ(Effect().OnHostNotification(preview, &on, 2), AAX_SUCCESS);
  ASSERT_EQ(Effect().OnHostNotification(preview, nullptr, 4), AAX_SUCCESS);
  ASSERT_EQ(Effect().OnHostNotification(AAX_FourCC("ASPw"), &on, sizeof on), AAX_SUCCESS);
  EXPECT_EQ(Normal("PreviewID"), 0.0);
}

namespace
{
class TestPageTable final : public aaxhost::HostUnknown<AAX_IPageTable>
{
public:
  TestPageTable() : HostUnknown(nullptr) {}
  AAX_Result Clear() override { return 0; }
  AAX_Result PageCount(std::int32_t* out) const override
  {
    *out = 0;
    return 0;
  }
  AAX_Result MapParameter(AAX_CParamID, std::int32_t, std::int32_t) override { return 0; }

protected:
  void* FindInterface(const ACF_ID& iid) override
  {
    return iid == IID_IACFUnknown || iid == AAX_IID_PageTable ? static_cast<AAX_IPageTable*>(this)
                                                              : nullptr;
  }
};
} // namespace

TEST_F(ParamsHostTest, UnusedOperationsGiveTheirFixedAnswers)
{
  auto v4 = aaxhost::QueryRef<AAX_IEffectParametersV4>(&Effect(), AAX_IID_EffectParametersV4);
  ASSERT_TRUE(v4);
  float values[2] = {};
  const float positions[2] = {0.0f, 1.0f};
  std::int32_t meters = 5;
  AAX_CTypeID x = 0, y = 0;
  float a = 0, b = 0, c = 0, d = 0;
  EXPECT_EQ(v4->SampleDisplayCurve(0, positions, 2, values), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(v4->DisplayCurveMeters(0, &x, &y, &meters), AAX_SUCCESS);
  EXPECT_EQ(meters, 0);
  EXPECT_EQ(v4->DisplayCurveRange(0, &a, &b, &c, &d), AAX_SUCCESS);
  EXPECT_EQ(v4->AttachTaskAgent(nullptr), AAX_SUCCESS);
  EXPECT_EQ(v4->ProcessOfflinePass(nullptr, nullptr, 0), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(v4->NotifySessionEvent(0), AAX_SUCCESS);
  EXPECT_EQ(v4->UpdateHostBypass(true), AAX_SUCCESS);
  char data[4] = {};
  EXPECT_EQ(v4->CustomData(0, data, 4), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(v4->SetCustomData(0, data, 4), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(v4->HostIdle(), AAX_SUCCESS);
  EXPECT_EQ(v4->DispatchParamPackets(), AAX_SUCCESS);

  // No page table offered: nothing to fill. A page table: the base fills none.
  EXPECT_EQ(v4->PageTableRequest(0, 0, 0, nullptr), AAX_SUCCESS);
  EXPECT_EQ(v4->PageTableRequest(0, 0, 0, static_cast<AAX_IHostFactory*>(&module->Host())),
            AAX_SUCCESS);
  auto table = aaxhost::HostRef<TestPageTable>::Adopt(aaxhost::NewHostObject<TestPageTable>());
  EXPECT_EQ(v4->PageTableRequest(1, 2, 3, table.Get()), AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(table->ReferenceCount(), 1); // the temporary wrapper gave its reference back

  unsigned char field[12];
  std::memset(field, 0xAB, sizeof field);
  EXPECT_EQ(v4->InitFieldData(3, field, sizeof field), AAX_SUCCESS);
  for (unsigned char byte : field)
    EXPECT_EQ(byte, 0);
  // Queries for the view's interface are refused.
  void* view = reinterpret_cast<void*>(1);
  EXPECT_EQ(Effect().QueryInterface(AAX_IID_EffectGUI, &view), ACF_E_NOINTERFACE);
  EXPECT_EQ(view, nullptr);
}

TEST_F(ParamsHostTest, DisconnectingUnregistersEveryParameter)
{
  auto automation = aaxhost::HostRef<HostAutomationDelegate>::Retain(&Automation());
  EXPECT_EQ(automation->Registered().size(), kIds.size());
  instance.reset();
  EXPECT_TRUE(automation->Registered().empty());
  std::size_t unregistered = 0;
  for (const auto& e : automation->Events())
    if (e.kind == Kind::Unregister) ++unregistered;
  EXPECT_EQ(unregistered, kIds.size());
}

TEST_F(ParamsHostTest, WithoutTheHostsAutomationValuesApplyAtOnce)
{
  auto policy = std::make_shared<InterfacePolicy>();
  policy->Withhold(AAX_IID_AutomationDelegate);
  Open(policy);
  ASSERT_EQ(Effect().RequestParamValue("1", 0.6), AAX_SUCCESS);
  EXPECT_DOUBLE_EQ(Normal("1"), 0.6);
  ASSERT_EQ(Effect().ApplyHostParamValue("2", 1.0, 1), AAX_SUCCESS);
  EXPECT_EQ(Normal("2"), 1.0);
  EXPECT_TRUE(Automation().Events().empty());
}

TEST_F(ParamsHostTest, DirtyPacketsArePostedOnceByTheUpdatePass)
{
  instance->Controller().TakePackets();
  ASSERT_EQ(Effect().DispatchParamPackets(), AAX_SUCCESS);
  EXPECT_TRUE(instance->Controller().TakePackets().empty());

  ASSERT_EQ(Effect().ApplyHostParamValue("1", LevelNormal(30.0), 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().ApplyHostParamValue("2", 1.0, 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().DispatchParamPackets(), AAX_SUCCESS);
  const auto packets = instance->Controller().TakePackets();
  // Mode's handler declined, so only Level's packet went out.
  ASSERT_EQ(packets.size(), 1u);
  EXPECT_EQ(packets[0].field, 30);
  ASSERT_EQ(packets[0].data.size(), sizeof(double));
  double plain = 0.0;
  std::memcpy(&plain, packets[0].data.data(), sizeof plain);
  EXPECT_NEAR(plain, 30.0, 1e-9);
  // Clean after the pass: nothing more until the next change.
  ASSERT_EQ(Effect().DispatchParamPackets(), AAX_SUCCESS);
  EXPECT_TRUE(instance->Controller().TakePackets().empty());
  // A value the host did not change still marks the packet (the host decided it).
  ASSERT_EQ(Effect().ApplyHostParamValue("1", LevelNormal(30.0), 1), AAX_SUCCESS);
  ASSERT_EQ(Effect().DispatchParamPackets(), AAX_SUCCESS);
  EXPECT_EQ(instance->Controller().TakePackets().size(), 1u);
}

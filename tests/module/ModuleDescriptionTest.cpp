// The module as the host registers it: one effect with a mono and a stereo
// component, each field and property where a host looks for it.

#include "AAX_SDK/Interfaces/AAX_HostSurface.h"
#include "tests/module/ModuleHost.h"

#include <set>
#include <thread>

namespace moduletest
{
namespace
{

using aaxhost::FieldRecord;

TEST_F(ModuleTest, DescribesOneEffectWithItsNamesAndPackage)
{
  const auto effects = module->Description()->Effects();
  ASSERT_EQ(effects.size(), 1u);
  EXPECT_EQ(effects[0].id, "com.Quillmarsh.aax.Brasmire");
  EXPECT_EQ(effects[0].descriptor->Names(), std::vector<std::string>{"Brasmire"});
  EXPECT_EQ(effects[0].descriptor->Categories(), std::vector<std::uint32_t>{64});
  EXPECT_EQ(module->Description()->ManufacturerName(), "Quillmarsh");
  EXPECT_EQ(module->Description()->PackageNames(), std::vector<std::string>{"Brasmire"});
  EXPECT_EQ(module->Description()->PackageVersion(), 0x00030000u);
  EXPECT_NE(effects[0].descriptor->Proc(0), nullptr);
  EXPECT_NE(effects[0].descriptor->Proc(1), nullptr);
  ExpectNoAssertions();
}

TEST_F(ModuleTest, MonoThenStereoComponentsWithTheirStemFormatsTypeIdsAndProperties)
{
  const auto components = module->Description()->Effects()[0].descriptor->Components();
  ASSERT_EQ(components.size(), 2u);
  struct Expected
  {
    std::int32_t stem;
    AAX_CTypeID native;
    AAX_CTypeID audioSuite;
  };
  const Expected expected[] = {{0x00000001, AAX_FourCC("IEF1"), AAX_FourCC("IEA1")},
                               {0x00010002, AAX_FourCC("IEF2"), AAX_FourCC("IEA2")}};
  for (std::size_t i = 0; i < 2; ++i)
  {
    SCOPED_TRACE(i);
    const auto procs = components[i]->ProcessProcs();
    ASSERT_EQ(procs.size(), 1u);
    EXPECT_FALSE(procs[0].offline);
    const std::map<std::int32_t, AAX_CPropertyValue> want = {
        {56, 0},
        {51, expected[i].stem},
        {52, expected[i].stem},
        {60, 1},
        {300, 1},
        {306, 1},
        {11, static_cast<AAX_CPropertyValue>(AAX_FourCC("Qmsh"))},
        {12, static_cast<AAX_CPropertyValue>(AAX_FourCC("Brm1"))},
        {13, static_cast<AAX_CPropertyValue>(expected[i].native)},
        {14, static_cast<AAX_CPropertyValue>(expected[i].audioSuite)}};
    EXPECT_EQ(procs[0].properties, want);
  }
  // Both components register the same render callback.
  EXPECT_EQ(components[0]->ProcessProcs()[0].proc, components[1]->ProcessProcs()[0].proc);
}

TEST_F(ModuleTest, FieldsCarryTransportPrivateDataStatePortAndPlaceholders)
{
  const auto components = module->Description()->Effects()[0].descriptor->Components();
  for (const auto& component : components)
  {
    std::set<AAX_CFieldIndex> placeholders = {4, 5, 6, 24};
    for (AAX_CFieldIndex f = 8; f <= 22; ++f)
      placeholders.insert(f);
    const auto fields = component->Fields();
    EXPECT_EQ(fields.size(), 26u); // 0 ... 25, no side-chain field
    for (const FieldRecord& field : fields)
    {
      SCOPED_TRACE(field.field);
      if (placeholders.count(field.field))
      {
        EXPECT_EQ(field.kind, FieldRecord::Kind::PrivateData);
        EXPECT_EQ(field.size, 4);
        placeholders.erase(field.field);
      }
    }
    EXPECT_TRUE(placeholders.empty());
    EXPECT_EQ(component->Field(0)->kind, FieldRecord::Kind::AudioIn);
    EXPECT_EQ(component->Field(1)->kind, FieldRecord::Kind::AudioOut);
    EXPECT_EQ(component->Field(2)->kind, FieldRecord::Kind::BufferLength);
    EXPECT_EQ(component->Field(3)->kind, FieldRecord::Kind::Clock);
    ASSERT_TRUE(component->Field(7));
    EXPECT_EQ(component->Field(7)->kind, FieldRecord::Kind::MIDINode);
    EXPECT_EQ(component->Field(7)->midiKind, 3);
    EXPECT_EQ(component->Field(7)->name, "Transport");
    EXPECT_EQ(component->Field(7)->mask, 0xffffu);
    EXPECT_EQ(component->Field(23)->kind, FieldRecord::Kind::PrivateData);
    EXPECT_EQ(component->Field(23)->size, 8);
    EXPECT_EQ(component->Field(25)->kind, FieldRecord::Kind::DataInPort);
    EXPECT_EQ(component->Field(25)->size, 8);
    EXPECT_EQ(component->Field(25)->options, 1);
    EXPECT_FALSE(component->Field(26));
  }
}

TEST_F(ModuleTest, InstancesOfBothComponentsComeAndGoAndTheModuleUnloads)
{
  HostInstance& mono = Make(kMono);
  HostInstance& stereo = Make(kStereo);
  EXPECT_NE(&mono.Effect(), &stereo.Effect());
  EXPECT_NE(module->CanUnloadNow(), 0); // two live instances
  instances.clear();
  EXPECT_EQ(module->CanUnloadNow(), 0);
  ExpectNoAssertions();
}

TEST_F(ModuleTest, TheViewAnswersTheEditorSizeAndOpensNoEditorYet)
{
  HostInstance& instance = Make(kStereo);
  AAX_HostSurface parent{}; // not a surface the host filled in: no editor opens
  ASSERT_EQ(instance.OpenView(&parent), AAX_SUCCESS);
  ASSERT_NE(instance.View(), nullptr);
  AAX_Point size{0.f, 0.f};
  EXPECT_EQ(instance.View()->ViewSize(&size), AAX_SUCCESS);
  EXPECT_EQ(size.horz, 732.f);
  EXPECT_EQ(size.vert, 208.f);
  // No editor view: a highlight has nowhere to go.
  EXPECT_EQ(instance.View()->SetParamHighlight("1", true, 0), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_EQ(instance.View()->ParamUpdatedInView("1"), AAX_SUCCESS);
  EXPECT_EQ(instance.CloseView(), AAX_SUCCESS);
}

} // namespace
} // namespace moduletest

namespace moduletest
{
namespace
{

TEST_F(ModuleTest, TheInstancesTimerFiresFromTheHostsEventLoopOnTheCreatingThreadOnly)
{
  aaxhost::HostEventLoop::RunFor(30);
  Make(kStereo);
  int dispatched = 0;
  for (int i = 0; i < 20 && dispatched == 0; ++i)
    dispatched += aaxhost::HostEventLoop::RunFor(30);
  EXPECT_GT(dispatched, 0);
  // Another thread's loop never fires it.
  int other = -1;
  std::thread([&other] { other = aaxhost::HostEventLoop::RunFor(60); }).join();
  EXPECT_EQ(other, 0);
  // Gone with the instance.
  instances.clear();
  aaxhost::HostEventLoop::RunFor(30);
  EXPECT_EQ(aaxhost::HostEventLoop::RunFor(60), 0);
}

} // namespace
} // namespace moduletest

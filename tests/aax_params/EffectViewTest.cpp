// The view base as the host drives it: connecting, attaching and removing a
// view container, refreshing parameters in view, disconnecting.

#include "Host/HostEffectDescriptor.h"
#include "tests/aax_params/ParamsHost.h"

using namespace paramstest;
using MouseKind = aaxhost::HostViewContainer::ParameterMouseEvent::Kind;

namespace
{
aaxhost::HostRef<AAX_IEffectGUI> NewView(PluginModule& module)
{
  auto effects = module.Description()->Effects();
  EXPECT_EQ(effects.size(), 1u);
  auto factory =
      reinterpret_cast<AAX_CreateObjectProc>(effects[0].descriptor->Proc(AAX_eProcID_EffectGUI));
  EXPECT_NE(factory, nullptr);
  auto created = aaxhost::HostRef<IACFUnknown>::Retain(factory());
  return aaxhost::QueryRef<AAX_IEffectGUI>(created.Get(), AAX_IID_EffectGUI);
}
} // namespace

TEST_F(ParamsHostTest, AttachingAContainerOpensAndRefreshesEveryParameter)
{
  int parent = 0;
  ASSERT_EQ(instance->OpenView(&parent), AAX_SUCCESS);
  aaxhost::HostViewContainer* container = instance->ViewContainer();
  ASSERT_NE(container, nullptr);
  auto sizes = container->SizeRequests();
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].vert, 1.0f); // opened
  const auto clicks = container->MouseEvents();
  ASSERT_EQ(clicks.size(), kIds.size());
  for (std::size_t i = 0; i < kIds.size(); ++i)
  {
    EXPECT_EQ(clicks[i].kind, MouseKind::Down);
    EXPECT_EQ(clicks[i].id, kIds[i]);
    EXPECT_EQ(clicks[i].modifiers, 1u); // bound to its effect before opening
  }

  // Attached again: opened and refreshed again; removed: closed once.
  AAX_IEffectGUI* view = instance->View();
  ASSERT_EQ(view->AttachViewContainer(static_cast<AAX_IViewContainer*>(container)), AAX_SUCCESS);
  EXPECT_EQ(container->MouseEvents().size(), 2 * kIds.size());
  ASSERT_EQ(view->AttachViewContainer(nullptr), AAX_SUCCESS);
  sizes = container->SizeRequests();
  ASSERT_EQ(sizes.size(), 3u);
  EXPECT_EQ(sizes[1].vert, 1.0f);
  EXPECT_EQ(sizes[2].vert, 2.0f); // closed
  // Disconnecting without a container closes nothing more.
  ASSERT_EQ(view->DisconnectHost(), AAX_SUCCESS);
  EXPECT_EQ(container->SizeRequests().size(), 3u);

  void* data = reinterpret_cast<void*>(1);
  EXPECT_EQ(view->CustomViewData(0, &data), AAX_ERROR_NULL_OBJECT);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(view->NotificationReceived(0, nullptr, 0), AAX_SUCCESS);
  EXPECT_EQ(view->TimerWakeup(), AAX_SUCCESS);
}

TEST_F(ParamsHostTest, DisconnectingWithAContainerClosesFirst)
{
  int parent = 0;
  ASSERT_EQ(instance->OpenView(&parent), AAX_SUCCESS);
  aaxhost::HostViewContainer* container = instance->ViewContainer();
  auto keep = aaxhost::HostRef<aaxhost::HostViewContainer>::Retain(container);
  const int before = keep->ReferenceCount();
  ASSERT_EQ(instance->View()->DisconnectHost(), AAX_SUCCESS);
  const auto sizes = keep->SizeRequests();
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(sizes[1].vert, 2.0f);
  // The view gave back its references to the container.
  EXPECT_LT(keep->ReferenceCount(), before);
}

TEST_F(ParamsHostTest, ViewWithoutAHostObjectIsNotInitialised)
{
  auto view = NewView(*module);
  ASSERT_TRUE(view);
  EXPECT_EQ(view->ConnectHost(nullptr), AAX_ERROR_NOT_INITIALIZED);
  EXPECT_EQ(view->DisconnectHost(), AAX_SUCCESS);
  view.Reset();

  // A host without a controller cannot connect a view either.
  auto policy = std::make_shared<InterfacePolicy>();
  policy->Withhold(AAX_IID_Controller);
  Open(policy);
  int parent = 0;
  EXPECT_EQ(instance->OpenView(&parent), AAX_ERROR_NOT_INITIALIZED);
  EXPECT_EQ(instance->View(), nullptr);
}

TEST_F(ParamsHostTest, AViewReleasedWithItsContainerAttachedLeavesNothingBehind)
{
  const std::int32_t liveBefore = module->CanUnloadNow();
  auto view = NewView(*module);
  ASSERT_TRUE(view);
  ASSERT_EQ(view->ConnectHost(&instance->Context()), AAX_SUCCESS);
  int parent = 0;
  auto container = aaxhost::HostRef<aaxhost::HostViewContainer>::Adopt(
      aaxhost::NewHostObject<aaxhost::HostViewContainer>(module->Host().SharedPolicy(), &parent));
  ASSERT_EQ(view->AttachViewContainer(static_cast<AAX_IViewContainer*>(container.Get())),
            AAX_SUCCESS);
  EXPECT_GT(container->ReferenceCount(), 1);
  view.Reset();
  EXPECT_EQ(container->ReferenceCount(), 1);
  EXPECT_EQ(module->CanUnloadNow(), liveBefore);
}

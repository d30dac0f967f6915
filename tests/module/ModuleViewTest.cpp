// The module's AAX view as a host drives it (the view procedure, a view
// container, the native parent). A module built without a platform layer has
// no editor to open: the view says so and the container comes and goes cleanly.

#include "AAX_SDK/Interfaces/AAX_HostSurface.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "tests/module/ModuleHost.h"

namespace moduletest
{

TEST_F(ModuleTest, TheViewAttachesAndDetachesItsContainerWithoutAnEditor)
{
  HostInstance& instance = Make(kStereo);
  AAX_HostSurface parent{}; // not a surface the host filled in: no editor opens
  ASSERT_EQ(instance.OpenView(&parent), AAX_SUCCESS);
  ASSERT_NE(instance.View(), nullptr);
  aaxhost::HostViewContainer* container = instance.ViewContainer();
  ASSERT_NE(container, nullptr);
  auto keep = aaxhost::HostRef<aaxhost::HostViewContainer>::Retain(container);
  // Attached: the view holds the container.
  EXPECT_GT(keep->ReferenceCount(), 2);

  // No platform layer, no editor: nothing to highlight, nothing asked of the host.
  EXPECT_EQ(instance.View()->SetParamHighlight("1", true, 0), AAX_ERROR_INVALID_PARAMETER_ID);
  EXPECT_TRUE(keep->SizeRequests().empty());
  EXPECT_TRUE(keep->MouseEvents().empty());
  AAX_Point size{};
  EXPECT_EQ(instance.View()->ViewSize(&size), AAX_SUCCESS);
  EXPECT_EQ(size.horz, 732.f);
  EXPECT_EQ(size.vert, 208.f);

  // Detached and attached again any number of times.
  for (int i = 0; i < 3; ++i)
  {
    ASSERT_EQ(instance.View()->AttachViewContainer(nullptr), AAX_SUCCESS);
    EXPECT_EQ(keep->ReferenceCount(), 2); // ours and the host instance's
    ASSERT_EQ(instance.View()->AttachViewContainer(static_cast<AAX_IViewContainer*>(container)),
              AAX_SUCCESS);
  }
  ASSERT_EQ(instance.CloseView(), AAX_SUCCESS);
  EXPECT_EQ(instance.View(), nullptr);
  EXPECT_EQ(keep->ReferenceCount(), 1);
  ExpectNoAssertions();
}

TEST_F(ModuleTest, AViewClosedWhileRenderingLeavesTheInstanceWorking)
{
  HostInstance& instance = Make(kMono);
  AAX_HostSurface parent{}; // not a surface the host filled in: no editor opens
  ASSERT_EQ(instance.OpenView(&parent), AAX_SUCCESS);
  Block block(1, 64);
  for (float& s : block.in[0])
    s = 0.25f;
  Render(instance, block);
  ASSERT_EQ(instance.CloseView(), AAX_SUCCESS);
  Render(instance, block);
  EXPECT_TRUE(std::isfinite(block.out[0][63]));
  ExpectNoAssertions();
}

} // namespace moduletest

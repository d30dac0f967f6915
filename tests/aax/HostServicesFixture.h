#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_ModuleEntry.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VHostServices.h"
#include "Host/HostObject.h"

#include <gtest/gtest.h>

// Starts the library with our host, as a host does after loading a module, so
// that traces and assertion reports are collected; shuts it down afterwards.
class HostServicesFixture : public ::testing::Test
{
protected:
  void SetUp() override
  {
    mHost = aaxhost::HostRef<aaxhost::HostObject>::Adopt(
        aaxhost::NewHostObject<aaxhost::HostObject>(mPolicy));
    ASSERT_EQ(AAX_ModuleStartup(HostUnknown()), ACF_OK);
    ASSERT_NE(AAX_VHostServices::Current(), nullptr);
  }

  void TearDown() override { EXPECT_EQ(AAX_ModuleShutdown(), ACF_OK); }

  IACFUnknown* HostUnknown() const { return static_cast<AAX_IHostFactory*>(mHost.Get()); }
  aaxhost::HostServices& Services() const { return mHost->Services(); }

  std::shared_ptr<aaxhost::InterfacePolicy> mPolicy = std::make_shared<aaxhost::InterfacePolicy>();
  aaxhost::HostRef<aaxhost::HostObject> mHost;
};

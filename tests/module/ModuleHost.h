#pragma once

// The test host for the product module: loads the built Brasmire module the
// way a DAW does and makes instances of its mono (0) or stereo (1) component.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostEventLoop.h"
#include "Host/HostInstance.h"
#include "Host/HostString.h"
#include "Host/ModuleLibrary.h"
#include "Host/PluginModule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace moduletest
{

using aaxhost::HostAutomationDelegate;
using aaxhost::HostInstance;
using aaxhost::HostString;
using aaxhost::PluginModule;

inline constexpr AAX_CTypeID kStateChunk = AAX_FourCC("Brm1");
inline constexpr std::size_t kMono = 0;
inline constexpr std::size_t kStereo = 1;

inline std::string ModulePath()
{
  return aaxhost::ExecutableDirectory() + BRASMIRE_MODULE_RELATIVE_PATH;
}

// Stereo (or mono) float buffers for one render call.
struct Block
{
  Block(int channels, int frames)
      : in(static_cast<std::size_t>(channels),
           std::vector<float>(static_cast<std::size_t>(frames))),
        out(static_cast<std::size_t>(channels),
            std::vector<float>(static_cast<std::size_t>(frames)))
  {
    for (auto& c : in)
      inPtr.push_back(c.data());
    for (auto& c : out)
      outPtr.push_back(c.data());
  }
  int Frames() const { return static_cast<int>(in[0].size()); }

  std::vector<std::vector<float>> in;
  std::vector<std::vector<float>> out;
  std::vector<const float*> inPtr;
  std::vector<float*> outPtr;
};

class ModuleTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    std::string error;
    module = PluginModule::Open(ModulePath(), &error);
    ASSERT_NE(module, nullptr) << error;
    ASSERT_EQ(module->StartupResult(), 0);
    ASSERT_EQ(module->RegistrationResult(), AAX_SUCCESS);
  }

  void TearDown() override
  {
    instances.clear();
    if (module)
    {
      EXPECT_EQ(module->CanUnloadNow(), 0);
      std::string error;
      EXPECT_TRUE(module->Close(&error)) << error;
      EXPECT_FALSE(module->IsOpen());
    }
  }

  HostInstance& Make(std::size_t component)
  {
    std::string error;
    auto instance = HostInstance::Create(*module, 0, component, &error);
    EXPECT_NE(instance, nullptr) << error;
    instances.push_back(std::move(instance));
    return *instances.back();
  }

  static void Render(HostInstance& instance, Block& block)
  {
    ASSERT_EQ(instance.Render(block.inPtr.data(), block.outPtr.data(), block.Frames()),
              AAX_SUCCESS);
  }

  // No check in the module failed.
  void ExpectNoAssertions() const
  {
    for (const auto& a : module->Host().Services().Assertions())
      ADD_FAILURE() << "assertion " << a.path << ":" << a.line << " " << a.expression;
  }

  std::unique_ptr<PluginModule> module;
  std::vector<std::unique_ptr<HostInstance>> instances;
};

} // namespace moduletest

#pragma once

// The test host for the parameter module: opens it, makes instances, and
// reads texts and values back the way a host does.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "Host/HostInstance.h"
#include "Host/HostString.h"
#include "Host/ModuleLibrary.h"
#include "Host/PluginModule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace paramstest
{

using aaxhost::HostAutomationDelegate;
using aaxhost::HostInstance;
using aaxhost::HostString;
using aaxhost::InterfacePolicy;
using aaxhost::PluginModule;

inline constexpr AAX_CTypeID kControls = AAX_FourCC("elck");
// The module's parameters in registration order; the duplicate "2" is refused.
inline const std::vector<std::string> kIds = {"",
                                              "1",
                                              "2",
                                              "3",
                                              "4",
                                              "5",
                                              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde",
                                              "PreviewID",
                                              "abcdefghijklmnopqrstuvwxyzABCDE",
                                              "0123456789012345678901234567890"};

// Level: -100..200, linear.
inline double LevelNormal(double plain)
{
  return (plain + 100.0) / 300.0;
}

class ParamsHostTest : public ::testing::Test
{
protected:
  void SetUp() override { Open(std::make_shared<InterfacePolicy>()); }

  void Open(std::shared_ptr<InterfacePolicy> policy)
  {
    instance.reset();
    module.reset();
    std::string error;
    module = PluginModule::Open(aaxhost::ExecutableDirectory() + BRASMIRE_PARAMS_MODULE_FILE,
                                &error, std::move(policy));
    ASSERT_NE(module, nullptr) << error;
    ASSERT_EQ(module->RegistrationResult(), AAX_SUCCESS);
    instance = HostInstance::Create(*module, 0, 0, &error);
    ASSERT_NE(instance, nullptr) << error;
  }

  void TearDown() override
  {
    instance.reset();
    if (module)
    {
      std::string error;
      EXPECT_TRUE(module->Close(&error)) << error;
    }
  }

  AAX_IEffectParameters& Effect() const { return instance->Effect(); }
  HostAutomationDelegate& Automation() const { return instance->Automation(); }

  double Normal(const char* id) const
  {
    double value = -1.0;
    EXPECT_EQ(Effect().ParamNormal(id, &value), AAX_SUCCESS) << id;
    return value;
  }

  // ParamTextFromValue's text, with its result.
  std::string TextOf(const char* id, double normalised, std::int32_t maxLength,
                     AAX_Result* result = nullptr) const
  {
    HostString text;
    const AAX_Result r = Effect().ParamTextFromValue(id, normalised, &text, maxLength);
    if (result)
      *result = r;
    else
      EXPECT_EQ(r, AAX_SUCCESS) << id << " " << normalised;
    return text.Text();
  }

  std::string ValueText(const char* id, std::int32_t maxLength) const
  {
    HostString text;
    EXPECT_EQ(Effect().ParamValueText(id, &text, maxLength), AAX_SUCCESS);
    return text.Text();
  }

  AAX_Result ValueFromText(const char* id, const char* text, double* out) const
  {
    HostString host{std::string(text)};
    return Effect().ParamValueFromText(id, out, &host);
  }

  std::int32_t Changes() const
  {
    std::int32_t count = -1;
    EXPECT_EQ(Effect().ChangeCount(&count), AAX_SUCCESS);
    return count;
  }

  std::vector<HostAutomationDelegate::Event> EventsOf(HostAutomationDelegate::Event::Kind kind,
                                                      const std::string& id) const
  {
    std::vector<HostAutomationDelegate::Event> found;
    for (const auto& e : Automation().Events())
      if (e.kind == kind && e.id == id) found.push_back(e);
    return found;
  }

  bool Reported(const std::string& expression) const
  {
    for (const auto& a : module->Host().Services().Assertions())
      if (a.expression == expression) return true;
    return false;
  }

  std::unique_ptr<PluginModule> module;
  std::unique_ptr<HostInstance> instance;
};

} // namespace paramstest

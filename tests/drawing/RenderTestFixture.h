#pragma once

#include "RenderHarness.h"

#include <gtest/gtest.h>

#include <memory>

// Gives each test a fresh renderer on a target of kWidth x kHeight pixels and
// writes the last render as <Suite>.<Test>.png next to the test output when the
// test fails.
template <int kWidth, int kHeight>
class RenderTestFixture : public ::testing::Test
{
protected:
  void SetUp() override
  {
    harness = std::make_unique<RenderHarness>(kWidth, kHeight);
    ASSERT_TRUE(harness->Ready()) << "no offscreen OpenGL: " << harness->Failure();
  }
  void TearDown() override
  {
    if (HasFailure() && harness && harness->Ready())
    {
      const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
      harness->WritePng(std::string(info->test_suite_name()) + "." + info->name());
    }
  }

  std::unique_ptr<RenderHarness> harness;
};

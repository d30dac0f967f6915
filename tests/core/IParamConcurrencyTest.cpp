#include "IPlug/IParam.h"

#include <gtest/gtest.h>

#include <thread>

using iplug::IParam;

TEST(IParamConcurrency, ConcurrentWritersAlwaysLeaveOneOfTheirValues)
{
  IParam p;
  p.DefineReal("R", 0, 0, 100, 0.5);
  std::thread a(
      [&]
      {
        for (int i = 0; i < 20000; ++i)
          p.Set(25.0);
      });
  std::thread b(
      [&]
      {
        for (int i = 0; i < 20000; ++i)
          p.Set(75.0);
      });
  // A torn or unconfined read would show up here; ThreadSanitizer checks the
  // accesses themselves.
  int strange = 0;
  for (int i = 0; i < 20000; ++i)
  {
    const double v = p.Value();
    if (!(v == 0.0 || v == 25.0 || v == 75.0)) ++strange;
  }
  a.join();
  b.join();
  EXPECT_EQ(strange, 0);
  EXPECT_TRUE(p.Value() == 25.0 || p.Value() == 75.0);
}

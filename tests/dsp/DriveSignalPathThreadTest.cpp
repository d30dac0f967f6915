// Parameter changes arrive on host threads while the audio thread processes:
// the derived values must be safe to write and read concurrently (this
// executable also runs under ThreadSanitizer).
#include "Examples/Brasmire/BrasmireParams.h"
#include "Examples/Brasmire/DriveSignalPath.h"
#include "tests/dsp/TestSignalPathHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

using namespace brasmire;

TEST(DriveSignalPathThreads, ParameterChangesDuringProcessingAreSafe)
{
  auto path = std::make_unique<DriveSignalPath>();
  test::TestSignalPathHost host;
  std::atomic<bool> done{false};
  std::thread automation(
      [&]
      {
        int step = 0;
        while (!done.load())
        {
          path->ApplyParamChange(ParamDrive, (step % 51) * 1.0);
          path->ApplyParamChange(ParamOversampling, step % 2);
          path->ApplyParamChange(ParamMix, step % 101);
          path->ApplyParamChange(ParamTone, (step * 7) % 101);
          path->ApplyParamChange(ParamOutput, (step % 31) - 15.0);
          path->ApplyParamChange(ParamBypass, (step % 5) != 0);
          ++step;
        }
      });
  std::vector<double> left(256), right(256), outL(256), outR(256);
  for (std::size_t i = 0; i < left.size(); ++i)
  {
    left[i] = std::sin(0.05 * static_cast<double>(i));
    right[i] = -left[i];
  }
  const double* inputs[2] = {left.data(), right.data()};
  double* outputs[2] = {outL.data(), outR.data()};
  bool finite = true;
  for (int block = 0; block < 2000; ++block)
  {
    path->ProcessBlock(inputs, outputs, 256, host);
    for (std::size_t i = 0; i < outL.size(); ++i)
      finite = finite && std::isfinite(outL[i]) && std::isfinite(outR[i]);
    EXPECT_TRUE(host.latency == 0 || host.latency == 64);
  }
  done.store(true);
  automation.join();
  EXPECT_TRUE(finite);
}

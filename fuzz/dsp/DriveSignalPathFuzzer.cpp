#include "Examples/Brasmire/BrasmireParams.h"
#include "Examples/Brasmire/DriveSignalPath.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
class FuzzHost final : public brasmire::SignalPathHost
{
public:
  double SampleRate() const noexcept override { return sampleRate; }
  int ConnectedOutputChannels() const noexcept override { return connected; }
  int ReportedLatency() const noexcept override { return latency; }
  void ChangeLatency(int samples) noexcept override { latency = samples; }
  double sampleRate = 48000.0;
  int connected = 2;
  int latency = 0;
};

double ReadDouble(const std::uint8_t*& data, std::size_t& size)
{
  double v = 0.0;
  if (size >= sizeof v)
  {
    std::memcpy(&v, data, sizeof v);
    data += sizeof v;
    size -= sizeof v;
  }
  return v;
}
} // namespace

// Whatever samples, parameter values, sample rates and block sizes a host
// sends: no crash, no out-of-bounds access, a latency of 0 or 64, and finite
// output from every engaged block whose inputs were finite or not.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  auto path = std::make_unique<brasmire::DriveSignalPath>();
  FuzzHost host;
  std::vector<double> left(512), right(512), outL(512), outR(512);
  while (size >= 4)
  {
    const int param = data[0] % (brasmire::kNumParams + 2) - 1;
    const int frames = (data[1] | (data[2] << 8)) % 513;
    host.connected = 1 + data[3] % 2;
    data += 4;
    size -= 4;
    path->ApplyParamChange(param, ReadDouble(data, size));
    if (param == -1) host.sampleRate = ReadDouble(data, size);
    for (int i = 0; i < frames; ++i)
    {
      left[static_cast<std::size_t>(i)] = ReadDouble(data, size);
      right[static_cast<std::size_t>(i)] = ReadDouble(data, size);
    }
    const bool engaged = path->Engaged() != 0;
    const double* inputs[2] = {left.data(), right.data()};
    double* outputs[2] = {outL.data(), outR.data()};
    path->ProcessBlock(inputs, outputs, frames, host);
    if (host.latency != 0 && host.latency != 64) std::abort();
    if (engaged)
      for (int i = 0; i < frames; ++i)
        if (!std::isfinite(outL[static_cast<std::size_t>(i)]) ||
            !std::isfinite(outR[static_cast<std::size_t>(i)]))
          std::abort();
  }
  return 0;
}

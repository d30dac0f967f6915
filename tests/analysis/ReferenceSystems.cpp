#include "tests/analysis/ReferenceSystems.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>

namespace analysistest
{

iplug::PlugSetup ReferenceSystems::MakeSetup()
{
  iplug::PlugSetup setup;
  setup.paramCount = kNumParams;
  setup.presetCount = 1;
  setup.channelIO = "1-1 2-2";
  setup.pluginName = "Reference Systems";
  setup.productName = "Reference Systems";
  setup.makerName = "Quillmarsh";
  setup.versionCode = 0x00010000;
  setup.pluginId = iplug::FourCharCode("Rsys");
  setup.makerId = iplug::FourCharCode("Qmsh");
  setup.stateChunks = true;
  setup.plugKind = iplug::PlugKind::Effect;
  setup.hasEditor = false;
  return setup;
}

ReferenceSystems* ReferenceSystems::CreateInstance() noexcept
{
  try
  {
    return new ReferenceSystems;
  }
  catch (...)
  {
    return nullptr;
  }
}

ReferenceSystems::ReferenceSystems() : IPlugAAX(iplug::InstanceInfo{}, MakeSetup())
{
  GetParam(kSystem)->DefineInteger("System", 0, 0, 4, "", 0, "");
  GetParam(kCutoff)->DefineReal("Cutoff", 1000., 20., 20000., 1., "Hz");
  GetParam(kDelay)->DefineInteger("Delay", 100, 0, kMaxDelay, "", 0, "");
  GetParam(kReport)->DefineInteger("Report", 1, 0, 1, "", 0, "");
  for (Channel& c : mChannels)
    c.delay.assign(kMaxDelay + 1, 0.0);
  // Windowed sinc (Blackman) with its cut-off at 0.45 of the host rate, gain
  // kOversampling for the zero-stuffed input, unity at DC after the decimation.
  const double cutoff = 0.45 / kOversampling; // cycles per oversampled sample
  double sum = 0.0;
  for (int k = 0; k < kTaps; ++k)
  {
    const double m = k - (kTaps - 1) / 2.0;
    const double sinc =
        m == 0.0 ? 2.0 * cutoff
                 : std::sin(2.0 * std::numbers::pi * cutoff * m) / (std::numbers::pi * m);
    const double phase = 2.0 * std::numbers::pi * k / (kTaps - 1);
    mKernel[k] = sinc * (0.42 - 0.5 * std::cos(phase) + 0.08 * std::cos(2.0 * phase));
    sum += mKernel[k];
  }
  for (double& h : mKernel)
    h /= sum;
}

void ReferenceSystems::ApplyParamChange(int paramIdx)
{
  const iplug::IParam* param = GetParam(paramIdx);
  if (param == nullptr) return;
  const double value = param->Value();
  switch (paramIdx)
  {
  case kSystem:
    mSystem.store(static_cast<int>(value));
    break;
  case kCutoff:
    mCutoff.store(value);
    break;
  case kDelay:
    mDelay.store(std::clamp(static_cast<int>(value), 0, kMaxDelay));
    break;
  case kReport:
    mReport.store(static_cast<int>(value));
    break;
  default:
    break;
  }
}

bool ReferenceSystems::SerializeState(iplug::ByteChunk& chunk) const
{
  return SerializeParams(chunk);
}

int ReferenceSystems::UnserializeState(const iplug::ByteChunk& chunk, int startPos)
{
  return UnserializeParams(chunk, startPos);
}

void ReferenceSystems::ResetProcessing()
{
  for (Channel& c : mChannels)
  {
    c.x1 = c.x2 = c.y1 = c.y2 = 0.0;
    std::fill(c.delay.begin(), c.delay.end(), 0.0);
    c.up.fill(0.0);
    c.down.fill(0.0);
    c.upPos = c.downPos = 0;
  }
  mDelayPos = 0;
}

void ReferenceSystems::UpdateFilter() noexcept
{
  // The textbook second-order low-pass: bilinear transform prewarped at the cut-off.
  const double rate = SampleRate();
  const double cutoff = std::min(mCutoff.load(), 0.45 * rate);
  if (cutoff * rate == mCoefficientsFor) return;
  mCoefficientsFor = cutoff * rate;
  const double w = 2.0 * std::numbers::pi * cutoff / rate;
  const double alpha = std::sin(w) / (2.0 * std::numbers::sqrt2 / 2.0);
  const double cosw = std::cos(w);
  const double a0 = 1.0 + alpha;
  mB[0] = (1.0 - cosw) / 2.0 / a0;
  mB[1] = (1.0 - cosw) / a0;
  mB[2] = mB[0];
  mA[1] = -2.0 * cosw / a0;
  mA[2] = (1.0 - alpha) / a0;
}

double ReferenceSystems::Process(Channel& c, double x, int system) noexcept
{
  switch (system)
  {
  case 0:
  {
    const double y = mB[0] * x + mB[1] * c.x1 + mB[2] * c.x2 - mA[1] * c.y1 - mA[2] * c.y2;
    c.x2 = c.x1;
    c.x1 = x;
    c.y2 = c.y1;
    c.y1 = y;
    return y;
  }
  case 1:
    return x + 0.2 * x * x + 0.1 * x * x * x;
  case 2:
  {
    const std::size_t size = c.delay.size();
    c.delay[mDelayPos] = x;
    return c.delay[(mDelayPos + size - static_cast<std::size_t>(mDelay.load())) % size];
  }
  case 3:
    return std::clamp(8.0 * x, -1.0, 1.0);
  default:
  {
    // Polyphase up-sampling: of every kOversampling stuffed inputs only one is
    // not zero. The newest history value is at the lowest index.
    c.upPos = (c.upPos + kPhaseTaps - 1) % kPhaseTaps;
    c.up[c.upPos] = c.up[c.upPos + kPhaseTaps] = kOversampling * x;
    const double* up = c.up.data() + c.upPos;
    double kept = 0.0;
    for (int sub = 0; sub < kOversampling; ++sub)
    {
      double a = 0.0;
      for (int m = 0; sub + kOversampling * m < kTaps; ++m)
        a += mKernel[sub + kOversampling * m] * up[m];
      c.downPos = (c.downPos + kTaps - 1) % kTaps;
      c.down[c.downPos] = c.down[c.downPos + kTaps] = std::clamp(8.0 * a, -1.0, 1.0);
      if (sub == 0)
      {
        const double* down = c.down.data() + c.downPos;
        for (int k = 0; k < kTaps; ++k)
          kept += mKernel[k] * down[k];
      }
    }
    return kept;
  }
  }
}

void ReferenceSystems::ProcessAudioBlock(iplug::sample** inputs, iplug::sample** outputs,
                                         int frames) noexcept
{
  const int system = mSystem.load();
  UpdateFilter();
  for (int i = 0; i < frames; ++i)
  {
    for (int ch = 0; ch < 2; ++ch)
      outputs[ch][i] = Process(mChannels[ch], inputs[ch][i], system);
    mDelayPos = (mDelayPos + 1) % mChannels[0].delay.size();
  }
  int latency = 0;
  if (system == 2 && mReport.load() != 0) latency = mDelay.load();
  if (system == 4) latency = (kTaps - 1) / kOversampling;
  if (Latency() != latency) ChangeLatency(latency);
}

} // namespace analysistest

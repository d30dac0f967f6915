#pragma once

#include "Host/HostInstance.h"
#include "Host/PlugHost/AudioBuffer.h"

#include <cstdio>
#include <string>

namespace plughost
{

// Renders a whole file through an instance block by block, as a DAW plays a
// track through an insert. [main-thread, which is also this host's audio thread]
class RenderJob
{
public:
  struct Settings
  {
    int blockSize = 512;
    bool hostBypass = false;
    // Trim the reported latency from the start and feed as much silence at
    // the end, so output and input line up and are equally long.
    bool compensateLatency = true;
    std::FILE* progress = nullptr; // null: no progress bar
    // Blocks starting before this frame are left out of Result::callSeconds
    // (a settling lead-in whose cost is not the steady state's).
    std::size_t timeFromFrame = 0;
  };

  struct Result
  {
    std::size_t frames = 0;
    double seconds = 0.0;     // length of the audio
    double wallSeconds = 0.0; // time the render calls took
    // Time inside the effect's render callback alone: this thread's CPU time
    // natively (time taken by other processes is not counted), wall time on Windows.
    double callSeconds = 0.0;
    double peak = 0.0;        // largest absolute output sample
    std::int32_t latency = 0; // as reported after the last block
    bool compensated = false;
  };

  RenderJob(aaxhost::HostInstance& instance, const Settings& settings);
  RenderJob(const RenderJob&) = delete;
  RenderJob& operator=(const RenderJob&) = delete;

  // False with the reason when a render call fails.
  bool Run(const AudioBuffer& input, AudioBuffer* output, Result* result, std::string* error);

  // "288000 frames, 6.000 s, 120.5 x real-time, peak -3.10 dBFS, latency 64 (compensated)"
  static std::string Summary(const Result& result);

private:
  void ShowProgress(std::size_t done, std::size_t total, bool final);

  aaxhost::HostInstance& mInstance;
  Settings mSettings;
  int mShownPercent = -1;
};

} // namespace plughost

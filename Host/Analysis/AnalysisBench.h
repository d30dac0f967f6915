#pragma once

#include "Host/PlugHost/ModuleSession.h"

#include <memory>
#include <string>
#include <vector>

namespace plughost
{

// The test bench: one loaded module, and for every measurement a fresh
// instance at the measurement's rate, set up with the user's settings and
// rendered block by block through RenderJob exactly as `plughost render`
// does. A mono test signal goes to every channel; the first channel's output
// is measured. [main-thread]
class AnalysisBench
{
public:
  struct Rendered
  {
    std::vector<double> output; // first channel
    int latency = 0;            // as the effect reported it
    double callSeconds = 0.0;   // inside the render callback
    std::size_t frames = 0;
  };

  // Loads the module and checks the settings on a first instance, so every
  // mistake in them is found before anything is measured. Null with a
  // one-line reason otherwise.
  static std::unique_ptr<AnalysisBench>
  Open(const std::string& module, const std::vector<std::string>& settings, std::string* error);
  AnalysisBench(const AnalysisBench&) = delete;
  AnalysisBench& operator=(const AnalysisBench&) = delete;

  int Channels() const noexcept { return mChannels; }
  // True when the effect has a parameter of this name (any case).
  bool HasParameter(const std::string& name) const;
  const std::vector<std::string>& Settings() const noexcept { return mSettings; }
  std::string EffectName() const;

  // Renders `signal` at `rate` with the user's settings followed by `extra`
  // ("NAME=VALUE" each, the later winning). compensate: trim the reported
  // latency as `render` does by default. blockSize: frames per render call;
  // callSeconds counts the blocks from frame timeFrom on.
  bool Render(const std::vector<double>& signal, int rate, const std::vector<std::string>& extra,
              bool compensate, Rendered* out, std::string* error, int blockSize = 512,
              std::size_t timeFrom = 0);

  // Closes the module; false with the reason if it still holds live objects.
  bool Close(std::string* error);

private:
  AnalysisBench() = default;

  std::unique_ptr<ModuleSession> mSession;
  std::vector<std::string> mSettings;
  std::vector<ParamInfo> mParams;
  int mChannels = 2;
};

} // namespace plughost

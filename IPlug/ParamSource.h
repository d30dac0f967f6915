#pragma once

namespace iplug
{

// Where a parameter change came from; passed along to OnParamChange.
enum ParamSource
{
  kReset = 0,
  kHost,
  kPresetRecall,
  kUI,
  kDelegate,
  kRecompile,
  kUnknown,
  kNumParamSources
};

// "Reset", "Host", "Preset", "UI", "Editor Delegate", "Recompile", "Unknown";
// "Unknown" for values outside the list too. [any-thread]
const char* ParamSourceName(int source) noexcept;

} // namespace iplug

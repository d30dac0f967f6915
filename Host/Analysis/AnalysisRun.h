#pragma once

#include "Host/Analysis/AnalysisBench.h"
#include "Host/Analysis/AnalysisResults.h"

#include <string>

namespace plughost
{

// Runs every measurement of `plughost analyze` on a bench: response,
// harmonic distortion against level, aliasing of a stepped sine sweep with
// oversampling off and on, latency and DC, and CPU time in the render
// callback. [main-thread]
class AnalysisRun
{
public:
  struct Options
  {
    int rate = 48000;
    bool quick = false; // fewer tones, levels, steps and seconds
  };

  AnalysisRun(AnalysisBench& bench, const Options& options);
  AnalysisRun(const AnalysisRun&) = delete;
  AnalysisRun& operator=(const AnalysisRun&) = delete;

  // False with the reason when a render fails.
  bool Run(AnalysisResults* results, std::string* error);

  // The name of the effect's oversampling switch that the aliasing and CPU
  // measurements turn off and on when the effect has it.
  static constexpr const char* kOversamplingParam = "Oversampling";

private:
  bool MeasureResponse(ResponseResults* out, std::string* error);
  bool MeasureThd(ThdResults* out, double* dcSine, std::string* error);
  bool MeasureAliasing(AliasResults* out, std::string* error);
  bool MeasureLatency(LatencyResults* out, std::string* error);
  bool MeasureCpu(CpuResults* out, std::string* error);
  // The oversampling settings to compare: {"off", "on"}, or one "as set".
  std::vector<std::string> OversamplingChoices() const;
  static std::vector<std::string> OversamplingSetting(const std::string& choice);

  AnalysisBench& mBench;
  Options mOptions;
};

} // namespace plughost

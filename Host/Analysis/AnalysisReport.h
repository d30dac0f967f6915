#pragma once

#include "Host/Analysis/AnalysisResults.h"

#include <string>

namespace plughost
{

// The analysis as JSON (every number, for the plotting script and for other
// tools) and as a short text summary for the terminal. [any-thread]
class AnalysisReport
{
public:
  AnalysisReport() = delete;

  static std::string Json(const AnalysisResults& results);
  static std::string Summary(const AnalysisResults& results);

  // Spectra are cut to this many rows for the JSON (peak-hold over groups of bins).
  static constexpr std::size_t kSpectrumRows = 512;
};

} // namespace plughost

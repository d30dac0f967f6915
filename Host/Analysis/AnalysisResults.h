#pragma once

#include "Host/Analysis/AliasAnalysis.h"
#include "Host/Analysis/HarmonicAnalysis.h"
#include "Host/Analysis/ResponseAnalysis.h"

#include <string>
#include <vector>

namespace plughost
{

// Everything `plughost analyze` measured, for the report and the plots.

struct ResponseResults
{
  double levelDbfsRms = 0.0;
  int rate = 0;
  std::vector<ResponseAnalysis::Point> points;
};

struct ThdCurve
{
  double frequency = 0.0;
  std::vector<double> levelsDbfs;
  std::vector<HarmonicAnalysis::Result> results; // spectra dropped but at the chosen level
};

struct ThdResults
{
  int rate = 0;
  std::vector<ThdCurve> curves;
  // The harmonic spectrum at the chosen level of the last curve.
  double spectrumLevelDbfs = 0.0;
  HarmonicAnalysis::Result spectrum;
  std::size_t spectrumSize = 0; // FFT size behind the spectrum
};

struct AliasRun
{
  int rate = 0;
  std::string oversampling; // "off", "on", or "as set" when the effect has no such parameter
  std::vector<AliasAnalysis::Step> steps;
  double aliasDb = 0.0;
  std::size_t fftSize = 0;
};

struct AliasResults
{
  double levelDbfs = 0.0;
  std::vector<AliasRun> runs;
};

struct LatencyResults
{
  int reported = 0;
  int measured = 0;          // impulse peak position without compensation
  int compensatedOffset = 0; // the same, with the host's compensation
  double dcSilence = 0.0;    // mean output for silent input
  double dcSine = 0.0;       // mean output for the THD sine at the spectrum level
};

struct CpuRun
{
  int rate = 0;
  std::string oversampling;
  double nsPerFrame = 0.0;
  double percentCore = 0.0;
};

struct CpuResults
{
  int blockSize = 512;
  double seconds = 0.0; // audio rendered per run
  std::vector<CpuRun> runs;
};

struct AnalysisResults
{
  std::string module;
  std::string effect;
  std::vector<std::string> settings;
  int channels = 0;
  int rate = 0;
  bool quick = false;
  ResponseResults response;
  ThdResults thd;
  AliasResults aliasing;
  LatencyResults latency;
  CpuResults cpu;
};

} // namespace plughost

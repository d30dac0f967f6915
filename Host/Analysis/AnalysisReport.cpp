#include "Host/Analysis/AnalysisReport.h"

#include "Host/Analysis/TestSignals.h"
#include "Host/PlugHost/JsonText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace plughost
{
namespace
{
// Rounded to the precision a plot or a reader can use (`step` a power of ten),
// so the file stays small: fixed-point text without trailing zeros.
std::string Number(double value, double step = 1e-4)
{
  if (!std::isfinite(value)) return JsonNumber(value);
  const int decimals = std::max(0, static_cast<int>(std::lround(-std::log10(step))));
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string out = text;
  if (out.find('.') != std::string::npos)
  {
    out.erase(out.find_last_not_of('0') + 1);
    if (out.back() == '.') out.pop_back();
  }
  return out == "-0" ? "0" : out;
}

std::string Array(std::size_t count, const std::function<std::string(std::size_t)>& item)
{
  std::string out = "[";
  for (std::size_t i = 0; i < count; ++i)
    out += (i ? "," : "") + item(i);
  return out + "]";
}

std::string Db(double ratio)
{
  return Number(TestSignals::DbFromAmplitude(ratio));
}

// Peak-hold of a spectrum (amplitudes or dB) down to at most kSpectrumRows
// groups: the first bin of each group's frequency, the group's largest value.
// Groups of equal width for a linear frequency axis, or growing geometrically
// (each at least one bin) for a logarithmic one.
void Decimate(const std::vector<double>& values, double binHz, bool logarithmic,
              std::vector<double>* frequencies, std::vector<double>* peaks)
{
  const std::size_t rows = AnalysisReport::kSpectrumRows;
  const double ratio =
      std::pow(static_cast<double>(values.size()), 1.0 / static_cast<double>(rows));
  const std::size_t width = std::max<std::size_t>(1, (values.size() + rows - 1) / rows);
  for (std::size_t start = 0; start < values.size();)
  {
    std::size_t end = start + width;
    if (logarithmic)
      end = std::max(start + 1, static_cast<std::size_t>(static_cast<double>(start) * ratio));
    end = std::min(end, values.size());
    frequencies->push_back(static_cast<double>(start) * binHz);
    peaks->push_back(*std::max_element(values.begin() + static_cast<std::ptrdiff_t>(start),
                                       values.begin() + static_cast<std::ptrdiff_t>(end)));
    start = end;
  }
}

std::string ResponseJson(const ResponseResults& r)
{
  return "{\"sample_rate_hz\":" + std::to_string(r.rate) +
         ",\"level_dbfs_rms\":" + Number(r.levelDbfsRms) + ",\"frequency_hz\":" +
         Array(r.points.size(), [&](std::size_t i) { return Number(r.points[i].frequency); }) +
         ",\"magnitude_db\":" +
         Array(r.points.size(), [&](std::size_t i) { return Number(r.points[i].magnitudeDb); }) +
         ",\"phase_deg\":" +
         Array(r.points.size(), [&](std::size_t i) { return Number(r.points[i].phaseDegrees); }) +
         "}";
}

std::string ThdJson(const ThdResults& t)
{
  std::string out = "{\"sample_rate_hz\":" + std::to_string(t.rate) + ",\"curves\":[";
  for (std::size_t c = 0; c < t.curves.size(); ++c)
  {
    const ThdCurve& curve = t.curves[c];
    const auto& rs = curve.results;
    out +=
        std::string(c ? "," : "") + "{\"frequency_hz\":" + Number(curve.frequency) +
        ",\"levels_dbfs\":" +
        Array(curve.levelsDbfs.size(), [&](std::size_t i) { return Number(curve.levelsDbfs[i]); }) +
        ",\"thd_db\":" + Array(rs.size(), [&](std::size_t i) { return Db(rs[i].thd); }) +
        ",\"thd_percent\":" +
        Array(rs.size(), [&](std::size_t i) { return Number(100.0 * rs[i].thd, 1e-6); }) +
        ",\"thdn_db\":" + Array(rs.size(), [&](std::size_t i) { return Db(rs[i].thdn); }) +
        ",\"thdn_percent\":" +
        Array(rs.size(), [&](std::size_t i) { return Number(100.0 * rs[i].thdn, 1e-6); }) +
        ",\"harmonics_dbfs\":" +
        Array(rs.size(),
              [&](std::size_t i) {
                return Array(rs[i].harmonics.size(),
                             [&](std::size_t h) { return Db(rs[i].harmonics[h]); });
              }) +
        "}";
  }
  out += "],";
  // The harmonic spectrum at the chosen level: harmonics (odd and even) and the
  // whole spectrum, peak-held to a plottable size.
  const HarmonicAnalysis::Result& s = t.spectrum;
  double odd = 0.0;
  double even = 0.0;
  for (std::size_t h = 1; h < s.harmonics.size(); ++h)
    ((h + 1) % 2 ? odd : even) += s.harmonics[h] * s.harmonics[h];
  const double fundamental = s.harmonics.empty() ? 0.0 : s.harmonics[0];
  std::vector<double> frequencies;
  std::vector<double> peaks;
  const double binHz = t.spectrumSize ? t.rate / static_cast<double>(t.spectrumSize) : 0.0;
  Decimate(s.spectrum, binHz, true, &frequencies, &peaks);
  out += "\"spectrum\":{\"frequency_hz\":" + Number(s.frequency) +
         ",\"level_dbfs\":" + Number(t.spectrumLevelDbfs) +
         ",\"fft_size\":" + std::to_string(t.spectrumSize) + ",\"harmonics_dbfs\":" +
         Array(s.harmonics.size(), [&](std::size_t h) { return Db(s.harmonics[h]); }) +
         ",\"odd_db\":" + (fundamental > 0 ? Db(std::sqrt(odd) / fundamental) : "null") +
         ",\"even_db\":" + (fundamental > 0 ? Db(std::sqrt(even) / fundamental) : "null") +
         ",\"bins_hz\":" +
         Array(frequencies.size(), [&](std::size_t i) { return Number(frequencies[i], 0.01); }) +
         ",\"magnitude_dbfs\":" + Array(peaks.size(), [&](std::size_t i) { return Db(peaks[i]); }) +
         "}}";
  return out;
}

std::string AliasJson(const AliasResults& a)
{
  std::string out = "{\"level_dbfs\":" + Number(a.levelDbfs) + ",\"runs\":[";
  for (std::size_t r = 0; r < a.runs.size(); ++r)
  {
    const AliasRun& run = a.runs[r];
    const double binHz = run.rate / static_cast<double>(run.fftSize);
    std::vector<double> rows;
    std::vector<std::vector<double>> columns;
    for (const AliasAnalysis::Step& step : run.steps)
    {
      std::vector<double> peaks;
      rows.clear();
      Decimate(step.spectrumDb, binHz, false, &rows, &peaks);
      columns.push_back(std::move(peaks));
    }
    out += std::string(r ? "," : "") + "{\"sample_rate_hz\":" + std::to_string(run.rate) +
           ",\"oversampling\":" + JsonString(run.oversampling) +
           ",\"alias_db\":" + Number(run.aliasDb) + ",\"fft_size\":" + std::to_string(run.fftSize) +
           ",\"step_hz\":" +
           Array(run.steps.size(), [&](std::size_t i) { return Number(run.steps[i].frequency); }) +
           ",\"step_alias_db\":" +
           Array(run.steps.size(),
                 [&](std::size_t i) { return Number(AliasAnalysis::StepAliasDb(run.steps[i])); }) +
           ",\"step_harmonics_db\":" +
           Array(run.steps.size(),
                 [&](std::size_t i)
                 {
                   const auto& s = run.steps[i];
                   return Number(10.0 * std::log10(std::max(s.harmonicPower, 1e-300) /
                                                   std::max(s.fundamentalPower, 1e-300)));
                 }) +
           ",\"spectrogram\":{\"frequency_hz\":" +
           Array(rows.size(), [&](std::size_t i) { return Number(rows[i], 0.01); }) + ",\"db\":" +
           Array(columns.size(),
                 [&](std::size_t c) {
                   return Array(columns[c].size(),
                                [&](std::size_t i) { return Number(columns[c][i], 0.1); });
                 }) +
           "}}";
  }
  out += "],\"difference_db\":{";
  bool first = true;
  for (const AliasRun& off : a.runs)
    for (const AliasRun& on : a.runs)
      if (off.rate == on.rate && off.oversampling == "off" && on.oversampling == "on")
      {
        out += std::string(first ? "" : ",") + "\"" + std::to_string(off.rate) +
               "\":" + Number(off.aliasDb - on.aliasDb);
        first = false;
      }
  return out + "}}";
}

std::string LatencyJson(const LatencyResults& l)
{
  return "{\"reported_samples\":" + std::to_string(l.reported) +
         ",\"measured_samples\":" + std::to_string(l.measured) +
         ",\"matches\":" + (l.reported == l.measured ? "true" : "false") +
         ",\"compensated_offset_samples\":" + std::to_string(l.compensatedOffset) +
         "},\"dc\":{\"silence\":" + JsonNumber(l.dcSilence) + ",\"sine\":" + JsonNumber(l.dcSine) +
         "}";
}

std::string CpuJson(const CpuResults& c)
{
  return "{\"block_frames\":" + std::to_string(c.blockSize) +
         ",\"seconds_per_run\":" + Number(c.seconds) + ",\"runs\":" +
         Array(c.runs.size(),
               [&](std::size_t i)
               {
                 const CpuRun& r = c.runs[i];
                 return "{\"sample_rate_hz\":" + std::to_string(r.rate) +
                        ",\"oversampling\":" + JsonString(r.oversampling) +
                        ",\"ns_per_frame\":" + Number(r.nsPerFrame, 0.01) +
                        ",\"percent_core\":" + Number(r.percentCore, 1e-4) + "}";
               }) +
         "}";
}
} // namespace

std::string AnalysisReport::Json(const AnalysisResults& r)
{
  return "{\"module\":" + JsonString(r.module) + ",\"effect\":" + JsonString(r.effect) +
         ",\"settings\":" +
         Array(r.settings.size(), [&](std::size_t i) { return JsonString(r.settings[i]); }) +
         ",\"channels\":" + std::to_string(r.channels) +
         ",\"sample_rate_hz\":" + std::to_string(r.rate) +
         ",\"quick\":" + (r.quick ? "true" : "false") +
         ",\n\"response\":" + ResponseJson(r.response) + ",\n\"thd\":" + ThdJson(r.thd) +
         ",\n\"aliasing\":" + AliasJson(r.aliasing) + ",\n\"latency\":" + LatencyJson(r.latency) +
         ",\n\"cpu\":" + CpuJson(r.cpu) + "}\n";
}

std::string AnalysisReport::Summary(const AnalysisResults& r)
{
  std::string out;
  char line[256];
  if (!r.response.points.empty())
  {
    double low = r.response.points[0].magnitudeDb;
    double high = low;
    for (const auto& p : r.response.points)
    {
      low = std::min(low, p.magnitudeDb);
      high = std::max(high, p.magnitudeDb);
    }
    std::snprintf(line, sizeof line,
                  "response   %.0f Hz - %.0f Hz: %+.2f dB to %+.2f dB (at %.0f dBFS rms)\n",
                  r.response.points.front().frequency, r.response.points.back().frequency, low,
                  high, r.response.levelDbfsRms);
    out += line;
  }
  for (const ThdCurve& c : r.thd.curves)
  {
    std::snprintf(line, sizeof line, "THD        %.1f Hz:", c.frequency);
    out += line;
    for (std::size_t i = 0; i < c.levelsDbfs.size(); ++i)
    {
      const double level = c.levelsDbfs[i];
      if (level != -40.0 && level != -20.0 && level != -6.0 && level != 0.0) continue;
      std::snprintf(line, sizeof line, "  %.0f dBFS %.3g%%", level, 100.0 * c.results[i].thd);
      out += line;
    }
    out += "\n";
  }
  for (const AliasRun& run : r.aliasing.runs)
  {
    std::snprintf(line, sizeof line, "aliasing   %d Hz, oversampling %s: %.1f dB below the sweep\n",
                  run.rate, run.oversampling.c_str(), -run.aliasDb);
    out += line;
  }
  std::snprintf(line, sizeof line,
                "latency    reported %d, measured %d samples; DC %.3g (silence), %.3g (sine)\n",
                r.latency.reported, r.latency.measured, r.latency.dcSilence, r.latency.dcSine);
  out += line;
  for (const CpuRun& run : r.cpu.runs)
  {
    std::snprintf(line, sizeof line,
                  "CPU        %6d Hz, oversampling %-6s %8.1f ns/frame %6.2f %% of a core\n",
                  run.rate, run.oversampling.c_str(), run.nsPerFrame, run.percentCore);
    out += line;
  }
  return out;
}

} // namespace plughost

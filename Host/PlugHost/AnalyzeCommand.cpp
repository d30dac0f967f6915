#include "Host/Analysis/AnalysisBench.h"
#include "Host/Analysis/AnalysisReport.h"
#include "Host/Analysis/AnalysisRun.h"
#include "Host/PlugHost/AtomicFileWriter.h"
#include "Host/PlugHost/CommandLine.h"
#include "Host/PlugHost/Commands.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace plughost
{

namespace
{
constexpr const char* kUsage =
    "usage: plughost analyze MODULE [options]\n\n"
    "Measures the effect as a test bench does, through the loaded module block by\n"
    "block as `render` runs it: magnitude and phase response (multitone at -40 dBFS\n"
    "rms), THD and THD+N against level (-40..0 dBFS) at 100 Hz and 1 kHz with the\n"
    "harmonic spectrum at -6 dBFS, aliasing of a stepped sine sweep 200 Hz-20 kHz at\n"
    "44.1 and 48 kHz (oversampling off and on when the effect has the switch),\n"
    "latency, DC offset, and CPU time in the render callback at 44.1-192 kHz.\n\n"
    "  --param NAME=VALUE   set a parameter as a user types it, e.g. Drive=24\n"
    "                       (repeatable; names are case-insensitive)\n"
    "  --sr HZ              rate of the response, THD and latency measurements\n"
    "                       (22050-192000, default 48000)\n"
    "  --json FILE          write every number as JSON\n"
    "  --plots DIR          draw PNG plots into DIR (with the system python3 and\n"
    "                       matplotlib; the JSON goes to DIR/analysis.json unless --json)\n"
    "  --quick              fewer tones, levels and steps: a few seconds\n";

std::filesystem::path PathOf(const std::string& utf8)
{
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A file can be made at path: its folder exists and path is not a folder.
bool CanWriteFile(const std::string& path, std::string* error)
{
  std::error_code code;
  const std::filesystem::path p = PathOf(path);
  if (std::filesystem::is_directory(p, code))
  {
    *error = path + " is a folder";
    return false;
  }
  const std::filesystem::path parent = p.parent_path();
  if (!parent.empty() && !std::filesystem::is_directory(parent, code))
  {
    *error = "cannot write " + path + ": its folder does not exist";
    return false;
  }
  return true;
}

#ifdef PLUGHOST_PLOT_SCRIPT
constexpr const char* kPython = "/usr/bin/python3";

// Runs the plotting script on the JSON: 0 drawn, 3 matplotlib missing, else failed.
int RunPlotScript(const std::string& json, const std::string& folder)
{
  std::fflush(stdout);
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0)
  {
    const char* argv[] = {kPython, PLUGHOST_PLOT_SCRIPT, json.c_str(), folder.c_str(), nullptr};
    execv(kPython, const_cast<char* const*>(argv));
    _exit(127);
  }
  int status = 0;
  if (waitpid(child, &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif
} // namespace

int AnalyzeCommand(const std::vector<std::string>& args)
{
  if (PrintedHelp(args, kUsage)) return kExitOk;
  CommandLine line;
  std::string error;
  const std::vector<CommandLine::Option> options = {
      {"--param", true, true}, {"--sr", true}, {"--json", true}, {"--plots", true}, {"--quick"}};
  if (!line.Parse(args, options, 1, 1, &error)) return Fail("analyze: " + error);
  AnalysisRun::Options run;
  run.quick = line.Has("--quick");
  long long number = 0;
  if (line.Has("--sr"))
  {
    if (!line.Integer("--sr", 22050, 192000, &number, &error)) return Fail("analyze: " + error);
    run.rate = static_cast<int>(number);
  }
  // Where the results go is checked before anything is measured.
  const std::string plots = line.Value("--plots").value_or("");
  std::string jsonPath = line.Value("--json").value_or("");
  std::error_code code;
  if (!plots.empty())
  {
    const std::filesystem::path folder = PathOf(plots);
    if (std::filesystem::exists(folder, code) && !std::filesystem::is_directory(folder, code))
      return Fail("analyze: " + plots + " is not a folder");
    const std::filesystem::path parent = folder.parent_path();
    if (!parent.empty() && !std::filesystem::is_directory(parent, code))
      return Fail("analyze: cannot make " + plots + ": its parent folder does not exist");
    if (jsonPath.empty())
    {
      const std::u8string inFolder = (folder / "analysis.json").u8string();
      jsonPath.assign(inFolder.begin(), inFolder.end());
    }
  }
  if (line.Has("--json") && !CanWriteFile(jsonPath, &error)) return Fail("analyze: " + error);

  auto bench = AnalysisBench::Open(line.Positional()[0], line.Values("--param"), &error);
  if (!bench) return Fail(error);
  AnalysisResults results;
  results.module = line.Positional()[0];
  AnalysisRun analysis(*bench, run);
  if (!analysis.Run(&results, &error)) return Fail(error);
  if (!bench->Close(&error)) return Fail(error);

  std::fputs(AnalysisReport::Summary(results).c_str(), stdout);
  if (!plots.empty() && !std::filesystem::is_directory(PathOf(plots), code) &&
      !std::filesystem::create_directory(PathOf(plots), code))
    return Fail("analyze: cannot make " + plots + ": " + code.message());
  if (!jsonPath.empty())
  {
    const std::string json = AnalysisReport::Json(results);
    if (!AtomicFileWriter::WriteWhole(jsonPath, json.data(), json.size(), &error))
      return Fail(error);
    std::printf("json       %s\n", jsonPath.c_str());
  }
  if (plots.empty()) return kExitOk;
#ifdef PLUGHOST_PLOT_SCRIPT
  const int status = access(kPython, X_OK) == 0 ? RunPlotScript(jsonPath, plots) : 3;
  if (status == 0)
  {
    std::printf("plots      %s\n", plots.c_str());
    return kExitOk;
  }
  if (status != 3) return Fail("analyze: the plotting script failed on " + jsonPath);
#endif
  std::printf("plots      not drawn: no system python3 with matplotlib here; run\n"
              "           scripts/plot_analysis.py %s %s where it is\n",
              jsonPath.c_str(), plots.c_str());
  return kExitOk;
}

} // namespace plughost

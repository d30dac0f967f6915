#pragma once

// A host program (lv2info, lv2apply, jalv, jackd, ...) run as a child
// process: arguments, extra environment, commands written to its standard
// input while it runs, and its output collected from files.

#include <string>
#include <sys/types.h>
#include <vector>

namespace lv2test
{

// The full path of `name` on PATH, or "" when it is not installed.
std::string FindProgram(const std::string& name);

class HostProcess
{
public:
  // `environment` entries ("NAME=VALUE") are added to (or replace those of)
  // this process's environment. Output goes to files under `scratch`.
  HostProcess(const std::string& program, const std::vector<std::string>& args,
              const std::vector<std::string>& environment, const std::string& scratch);
  // Ends a program still running (SIGTERM, then SIGKILL after a second).
  ~HostProcess();
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  bool Started() const { return mPid > 0; }
  void Send(const std::string& text);
  void CloseInput();
  // The exit status once the program ends within `timeoutMs`; -1 when it is
  // still running then, or ended by a signal.
  int Wait(int timeoutMs);
  std::string Out() const;
  std::string Err() const;

private:
  pid_t mPid = -1;
  int mInput = -1;
  bool mEnded = false;
  int mStatus = -1;
  std::string mOutPath;
  std::string mErrPath;
};

struct HostResult
{
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs a program to its end (at most `timeoutMs`) with no input.
HostResult RunHost(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment, const std::string& scratch,
                   int timeoutMs = 60000);

} // namespace lv2test

#pragma once

// Runs a program with arguments and collects its exit status and output, on
// both platforms (fork/exec natively, CreateProcess on Windows), so the tests
// drive plughost exactly as a user's shell does.

#include <string>
#include <vector>

namespace plughosttest
{

struct ProcessResult
{
  int exitCode = -1;
  std::string out;
  std::string err;
};

// fileSizeLimit > 0 caps the size of any file the program writes (natively
// only: writes beyond it fail with EFBIG), to make a write fail mid-way.
// Output lines end in LF on both platforms.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& scratchFolder, long long fileSizeLimit = 0);

#ifndef _WIN32
// Runs the program with its standard error on a pseudo-terminal, as when a
// person watches it, and collects what appeared there (in err).
ProcessResult RunProcessOnTerminal(const std::string& program, const std::vector<std::string>& args,
                                   const std::string& scratchFolder);
#endif

} // namespace plughosttest

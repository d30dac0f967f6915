#include "ProcessRunner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace plughosttest
{

namespace
{
std::string Slurp(const std::string& path)
{
  std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

#ifndef _WIN32
// In a forked child: becomes the program, or exits 127 when it cannot.
[[noreturn]] void ExecOrExit(const std::string& program, const std::vector<std::string>& args)
{
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}
#endif

#ifdef _WIN32
std::wstring Wide(const std::string& utf8)
{
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), n);
  return out;
}

// Quotes one argument the way CommandLineToArgvW reads it back.
std::wstring Quoted(const std::wstring& arg)
{
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg)
  {
    if (c == L'\\')
    {
      ++backslashes;
      continue;
    }
    if (c == L'"')
      out.append(2 * backslashes + 1, L'\\');
    else
      out.append(backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, L'\\');
  return out + L"\"";
}
#endif
} // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& scratchFolder, long long fileSizeLimit)
{
  static int counter = 0;
  const std::string base = scratchFolder + "/run" + std::to_string(counter++);
  const std::string outPath = base + ".out";
  const std::string errPath = base + ".err";
  ProcessResult result;
#ifdef _WIN32
  static_cast<void>(fileSizeLimit);
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE out = CreateFileW(Wide(outPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE err = CreateFileW(Wide(errPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::wstring line = Quoted(Wide(program));
  for (const std::string& a : args)
    line += L" " + Quoted(Wide(a));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &process))
  {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.exitCode = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(out);
  CloseHandle(err);
#else
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0)
  {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0) _exit(127);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    if (fileSizeLimit > 0)
    {
      // Beyond the limit a write fails with EFBIG instead of killing the program.
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    ExecOrExit(program, args);
  }
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
    result.exitCode = WEXITSTATUS(status);
#endif
  result.out = Slurp(outPath);
  result.err = Slurp(errPath);
#ifdef _WIN32
  // Windows programs write text lines ending in CR LF; the tests compare lines.
  for (std::string* text : {&result.out, &result.err})
    std::erase(*text, '\r');
#endif
  std::error_code ignored;
  std::filesystem::remove(std::filesystem::u8path(outPath), ignored);
  std::filesystem::remove(std::filesystem::u8path(errPath), ignored);
  return result;
}

#ifndef _WIN32
ProcessResult RunProcessOnTerminal(const std::string& program, const std::vector<std::string>& args,
                                   const std::string& scratchFolder)
{
  ProcessResult result;
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return result;
  const std::string terminal = ptsname(master);
  const std::string outPath = scratchFolder + "/terminal-run.out";
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0)
  {
    const int err = open(terminal.c_str(), O_RDWR | O_NOCTTY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (err < 0 || out < 0) _exit(127);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    close(master);
    ExecOrExit(program, args);
  }
  // Read while the program runs: a full terminal buffer would block it.
  char buffer[4096];
  for (;;)
  {
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n > 0)
      result.err.append(buffer, static_cast<std::size_t>(n));
    else if (n < 0 && errno == EINTR)
      continue;
    else
      break; // EIO once the program has closed its end
  }
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
    result.exitCode = WEXITSTATUS(status);
  close(master);
  result.out = Slurp(outPath);
  std::error_code ignored;
  std::filesystem::remove(outPath, ignored);
  return result;
}
#endif

} // namespace plughosttest

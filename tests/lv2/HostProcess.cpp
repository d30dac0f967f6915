#include "lv2/HostProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace lv2test
{

namespace
{
std::string Slurp(const std::string& path)
{
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// This process's environment with `extra` added; an entry of the same name is replaced.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra)
{
  std::vector<std::string> merged;
  for (char** e = environ; *e != nullptr; ++e)
  {
    const std::string entry = *e;
    const std::string name = entry.substr(0, entry.find('=') + 1);
    bool replaced = false;
    for (const std::string& x : extra)
      replaced = replaced || x.compare(0, name.size(), name) == 0;
    if (!replaced) merged.push_back(entry);
  }
  merged.insert(merged.end(), extra.begin(), extra.end());
  return merged;
}
} // namespace

std::string FindProgram(const std::string& name)
{
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':'))
  {
    const std::string candidate = dir + "/" + name;
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

HostProcess::HostProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment, const std::string& scratch)
{
  static int counter = 0;
  const std::string base =
      scratch + "/host" + std::to_string(getpid()) + "-" + std::to_string(counter++);
  mOutPath = base + ".out";
  mErrPath = base + ".err";
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return;
  // The parent's end must not leak into other children (jackd would keep
  // jalv's input open for good).
  fcntl(pipeEnds[1], F_SETFD, FD_CLOEXEC);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, mOutPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, mErrPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const std::vector<std::string> merged = MergedEnvironment(environment);
  std::vector<char*> envp;
  for (const std::string& e : merged)
    envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  if (posix_spawn(&mPid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
    mPid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[0]);
  mInput = pipeEnds[1];
}

HostProcess::~HostProcess()
{
  CloseInput();
  if (mPid > 0 && !mEnded)
  {
    kill(mPid, SIGTERM);
    if (Wait(1000) == -1 && !mEnded)
    {
      kill(mPid, SIGKILL);
      waitpid(mPid, nullptr, 0);
    }
  }
}

void HostProcess::Send(const std::string& text)
{
  if (mInput < 0) return;
  // A program that has already gone must not end the test with SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  const ssize_t written = write(mInput, text.data(), text.size());
  static_cast<void>(written);
}

void HostProcess::CloseInput()
{
  if (mInput >= 0) close(mInput);
  mInput = -1;
}

int HostProcess::Wait(int timeoutMs)
{
  if (mPid <= 0) return -1;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!mEnded)
  {
    int status = 0;
    const pid_t done = waitpid(mPid, &status, WNOHANG);
    if (done == mPid)
    {
      mEnded = true;
      mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      break;
    }
    if (std::chrono::steady_clock::now() >= deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return mStatus;
}

std::string HostProcess::Out() const
{
  return Slurp(mOutPath);
}

std::string HostProcess::Err() const
{
  return Slurp(mErrPath);
}

HostResult RunHost(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment, const std::string& scratch,
                   int timeoutMs)
{
  HostProcess process(program, args, environment, scratch);
  process.CloseInput();
  HostResult result;
  result.exitCode = process.Wait(timeoutMs);
  result.out = process.Out();
  result.err = process.Err();
  return result;
}

} // namespace lv2test

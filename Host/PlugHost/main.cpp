// plughost: the command-line host. Everything but argument decoding lives in
// plughost_core, which other tools link.
#include "Host/PlugHost/Commands.h"

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

int main()
{
  // The ANSI argv cannot carry every file name: take the UTF-16 command line.
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide != nullptr && i < count; ++i)
  {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
    if (bytes > 1)
      WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), bytes, nullptr, nullptr);
    args.push_back(std::move(arg));
  }
  LocalFree(wide);
  return plughost::RunPlugHost(args);
}
#else
int main(int argc, char** argv)
{
  return plughost::RunPlugHost(std::vector<std::string>(argv + 1, argv + argc));
}
#endif

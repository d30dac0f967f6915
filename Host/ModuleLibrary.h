#pragma once

#include "AAX_SDK/Interfaces/AAX_ModuleExports.h"

#include <memory>
#include <string>

namespace aaxhost
{

// A module file loaded into the process (dlopen / LoadLibrary) with its seven
// exports resolved. Unloads the file when destroyed; calling the exports
// (start-up, shutdown) is the owner's business.
class ModuleLibrary
{
public:
  struct Exports
  {
    ACFRegisterPluginProc registerPlugin = nullptr;
    ACFRegisterComponentProc registerComponent = nullptr;
    ACFGetClassFactoryProc getClassFactory = nullptr;
    ACFCanUnloadNowProc canUnloadNow = nullptr;
    ACFStartupProc startup = nullptr;
    ACFShutdownProc shutdown = nullptr;
    ACFGetSDKVersionProc getSDKVersion = nullptr;
  };

  // Null with a reason in *error when the file cannot be loaded or lacks an export.
  // path is UTF-8. [main-thread]
  static std::unique_ptr<ModuleLibrary> Load(const std::string& path, std::string* error);

  ModuleLibrary(const ModuleLibrary&) = delete;
  ModuleLibrary& operator=(const ModuleLibrary&) = delete;
  ~ModuleLibrary();

  const Exports& Functions() const noexcept { return mExports; }
  const std::string& Path() const noexcept { return mPath; }

private:
  ModuleLibrary(void* handle, std::string path) : mHandle(handle), mPath(std::move(path)) {}

  void* mHandle;
  std::string mPath;
  Exports mExports;
};

// The folder of the running executable (UTF-8, with a trailing separator), so
// tools and tests can find modules built next to them.
std::string ExecutableDirectory();

} // namespace aaxhost

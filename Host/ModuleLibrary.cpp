#include "Host/ModuleLibrary.h"

#include <cstdint>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace aaxhost
{

namespace
{
#if defined(_WIN32)
std::wstring Widen(const std::string& text)
{
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), n);
  wide.resize(static_cast<std::size_t>(n - 1));
  return wide;
}

std::string Narrow(const wchar_t* text)
{
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string narrow(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), n, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(n - 1));
  return narrow;
}

void* OpenFile(const std::string& path, std::string* error)
{
  HMODULE module = LoadLibraryW(Widen(path).c_str());
  if (module == nullptr && error)
    *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
  return reinterpret_cast<void*>(module);
}

template <typename Proc>
Proc Find(void* handle, const char* name)
{
  FARPROC proc = GetProcAddress(static_cast<HMODULE>(handle), name);
  return reinterpret_cast<Proc>(reinterpret_cast<std::uintptr_t>(proc));
}

void CloseFile(void* handle)
{
  FreeLibrary(static_cast<HMODULE>(handle));
}
#else
void* OpenFile(const std::string& path, std::string* error)
{
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr && error)
  {
    const char* reason = dlerror();
    *error = "cannot load " + path + ": " + (reason ? reason : "unknown reason");
  }
  return handle;
}

template <typename Proc>
Proc Find(void* handle, const char* name)
{
  return reinterpret_cast<Proc>(dlsym(handle, name));
}

void CloseFile(void* handle)
{
  dlclose(handle);
}
#endif
} // namespace

std::unique_ptr<ModuleLibrary> ModuleLibrary::Load(const std::string& path, std::string* error)
{
  void* handle = OpenFile(path, error);
  if (handle == nullptr) return nullptr;
  std::unique_ptr<ModuleLibrary> library(new ModuleLibrary(handle, path));
  Exports& e = library->mExports;
  e.registerPlugin = Find<ACFRegisterPluginProc>(handle, kACFRegisterPluginName);
  e.registerComponent = Find<ACFRegisterComponentProc>(handle, kACFRegisterComponentName);
  e.getClassFactory = Find<ACFGetClassFactoryProc>(handle, kACFGetClassFactoryName);
  e.canUnloadNow = Find<ACFCanUnloadNowProc>(handle, kACFCanUnloadNowName);
  e.startup = Find<ACFStartupProc>(handle, kACFStartupName);
  e.shutdown = Find<ACFShutdownProc>(handle, kACFShutdownName);
  e.getSDKVersion = Find<ACFGetSDKVersionProc>(handle, kACFGetSDKVersionName);

  const std::pair<bool, const char*> required[] = {
      {e.registerPlugin != nullptr, kACFRegisterPluginName},
      {e.registerComponent != nullptr, kACFRegisterComponentName},
      {e.getClassFactory != nullptr, kACFGetClassFactoryName},
      {e.canUnloadNow != nullptr, kACFCanUnloadNowName},
      {e.startup != nullptr, kACFStartupName},
      {e.shutdown != nullptr, kACFShutdownName},
      {e.getSDKVersion != nullptr, kACFGetSDKVersionName},
  };
  for (const auto& [present, name] : required)
  {
    if (!present)
    {
      if (error) *error = path + " does not export " + name;
      return nullptr;
    }
  }
  return library;
}

ModuleLibrary::~ModuleLibrary()
{
  if (mHandle) CloseFile(mHandle);
}

std::string ExecutableDirectory()
{
#if defined(_WIN32)
  std::vector<wchar_t> buffer(32768);
  const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  std::string path = Narrow(std::wstring(buffer.data(), n).c_str());
  const std::size_t cut = path.find_last_of("\\/");
#else
  std::vector<char> buffer(4096);
  const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  std::string path =
      n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
  const std::size_t cut = path.find_last_of('/');
#endif
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

} // namespace aaxhost

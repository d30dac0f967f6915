#include "Host/Validator/ModuleImports.h"

#include <windows.h>

#include <cstring>

namespace plughost
{

int PatchModuleImports(aaxhost::PluginModule& module, std::span<const ImportHook> hooks,
                       std::string& detail)
{
  HMODULE handle = nullptr;
  const auto inModule = reinterpret_cast<LPCWSTR>(module.Exports().getClassFactory);
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          inModule, &handle))
  {
    detail += " (the module's image was not found)";
    return -1;
  }
  auto* base = reinterpret_cast<unsigned char*>(handle);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return 0;
  int patched = 0;
  for (auto* descriptor =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       descriptor->Name != 0; ++descriptor)
  {
    const DWORD names =
        descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
    const auto* name = reinterpret_cast<const IMAGE_THUNK_DATA64*>(base + names);
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA64*>(base + descriptor->FirstThunk);
    for (; name->u1.AddressOfData != 0; ++name, ++slot)
    {
      if (IMAGE_SNAP_BY_ORDINAL64(name->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
      const char* function = reinterpret_cast<const char*>(byName->Name);
      for (const ImportHook& hook : hooks)
      {
        if (std::strcmp(function, hook.name) != 0) continue;
        void* current = reinterpret_cast<void*>(slot->u1.Function);
        if (current == hook.thunk)
        {
          ++patched; // patched earlier in this run (another group asked first)
          break;
        }
        if (*hook.original == nullptr) *hook.original = current;
        if (*hook.original != current) break; // another implementation: leave it alone
        DWORD protection = 0;
        if (!VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE,
                            &protection))
          break;
        slot->u1.Function = reinterpret_cast<ULONGLONG>(hook.thunk);
        VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
        ++patched;
        break;
      }
    }
  }
  return patched;
}

} // namespace plughost

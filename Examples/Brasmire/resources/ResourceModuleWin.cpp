#include "Examples/Brasmire/resources/ResourceModule.h"

#include <windows.h>

namespace brasmire
{

void* ResourceModuleHandle()
{
  // The module that holds this function holds the compiled resource script too: it is linked
  // into the same DLL (or test program).
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ResourceModuleHandle), &module);
  return module;
}

} // namespace brasmire

#pragma once

#include "Host/PluginModule.h"

#include <span>
#include <string>

namespace plughost
{

// One imported function of a module to point elsewhere: `thunk` replaces the
// import, `*original` receives what it was (set once, shared by every module
// that imports the same implementation).
struct ImportHook
{
  const char* name;
  void* thunk;
  void** original;
};

// Windows: rewrites the module's import address table so each import named in
// `hooks` calls its thunk. An import already patched counts as patched; one
// bound to another implementation than the first seen is left alone. Returns
// how many imports now go through a thunk, or -1 (with the reason appended to
// detail) when the module's image is not found. [main-thread]
int PatchModuleImports(aaxhost::PluginModule& module, std::span<const ImportHook> hooks,
                       std::string& detail);

} // namespace plughost

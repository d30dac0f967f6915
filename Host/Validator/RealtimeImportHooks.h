#pragma once

#include "Host/PluginModule.h"

#include <string>

namespace plughost
{

// Windows: points the module's imported heap and lock functions (the C
// runtime's allocator, HeapAlloc, critical sections, slim locks, waits) at
// counting thunks in this process, so RealtimeCounters sees every such call
// the module makes. Elsewhere the executable's own interposed functions count
// and this does nothing. Appends what it did to detail. [main-thread]
bool InstallImportHooks(aaxhost::PluginModule& module, std::string& detail);

} // namespace plughost

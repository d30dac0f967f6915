#pragma once

#include "AAX_SDK/Interfaces/AAX_Types.h"

class AAX_VCollection;

// Defined by each module (the product, a test module): describes its effects
// into the host's collection. The module's ACFRegisterPlugin runs it.
// [main-thread, once at registration]
AAX_Result AAX_DescribePlugin(AAX_VCollection* collection);

#pragma once

#include "AAX_SDK/Interfaces/AAX_Errors.h"

// The name of a result code as used in messages: the code's own name, "plug-in
// defined error" for -21000 ... -20600, "<unknown error code>" otherwise. [any-thread]
const char* AAX_ResultName(AAX_Result result) noexcept;

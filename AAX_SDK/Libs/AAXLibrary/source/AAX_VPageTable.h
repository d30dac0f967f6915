#pragma once

#include "AAX_SDK/Interfaces/AAX_IPageTable.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"

// A host page table; every operation answers -20009 when the host lacks its version.
// [main-thread]
class AAX_VPageTable
{
public:
  explicit AAX_VPageTable(IACFUnknown* pageTableHost);
  AAX_VPageTable(const AAX_VPageTable&) = delete;
  AAX_VPageTable& operator=(const AAX_VPageTable&) = delete;
  ~AAX_VPageTable();

  // Whether the host supplied the first version.
  bool IsSupported() const noexcept { return static_cast<bool>(mV1); }

  AAX_Result Clear();
  AAX_Result PageCount(std::int32_t* out) const;
  AAX_Result MapParameter(AAX_CParamID id, std::int32_t page, std::int32_t slot);
  AAX_Result SetPageName(std::int32_t page, const char* name); // version 2

private:
  AAX_InterfaceRef<AAX_IPageTable> mV1;
  AAX_InterfaceRef<AAX_IPageTableV2> mV2;
};

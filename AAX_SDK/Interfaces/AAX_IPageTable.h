#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

// A host control-surface page table. This system fills none.
// [main-thread]
class AAX_IPageTable : public IACFUnknown
{
public:
  virtual AAX_Result Clear() = 0;
  virtual AAX_Result PageCount(std::int32_t* out) const = 0;
  virtual AAX_Result MapParameter(AAX_CParamID id, std::int32_t page, std::int32_t slot) = 0;

protected:
  ~AAX_IPageTable() = default;
};

class AAX_IPageTableV2 : public AAX_IPageTable
{
public:
  virtual AAX_Result SetPageName(std::int32_t page, const char* name) = 0;

protected:
  ~AAX_IPageTableV2() = default;
};

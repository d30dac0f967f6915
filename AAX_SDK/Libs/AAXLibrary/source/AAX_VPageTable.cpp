#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VPageTable.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

AAX_VPageTable::AAX_VPageTable(IACFUnknown* pageTableHost)
    : mV1(AAX_QueryInterface<AAX_IPageTable>(pageTableHost, AAX_IID_PageTable)),
      mV2(AAX_QueryInterface<AAX_IPageTableV2>(pageTableHost, AAX_IID_PageTableV2))
{
}

AAX_VPageTable::~AAX_VPageTable() = default;

AAX_Result AAX_VPageTable::Clear()
{
  return mV1 ? mV1->Clear() : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::PageCount(std::int32_t* out) const
{
  return mV1 ? mV1->PageCount(out) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::MapParameter(AAX_CParamID id, std::int32_t page, std::int32_t slot)
{
  return mV1 ? mV1->MapParameter(id, page, slot) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::SetPageName(std::int32_t page, const char* name)
{
  return mV2 ? mV2->SetPageName(page, name) : AAX_ERROR_UNIMPLEMENTED;
}

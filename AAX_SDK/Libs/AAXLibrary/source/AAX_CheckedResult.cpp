#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CheckedResult.h"

#include "AAX_SDK/Interfaces/AAX_IHostServices.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Exception.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Trace.h"

AAX_CheckedResult::AAX_CheckedResult(AAX_Result result) : mCurrent(result)
{
  Check();
}

AAX_CheckedResult& AAX_CheckedResult::operator=(AAX_Result result)
{
  mCurrent = result;
  Check();
  return *this;
}

void AAX_CheckedResult::Check()
{
  if (mAccepted.count(mCurrent) != 0) return;
  const AAX::Exception::ResultError error(mCurrent);
  mLastError = mCurrent;
  mCurrent = AAX_SUCCESS;
  AAX_TraceMessage(AAX_TRACE_PRIORITY_HIGH, "AAX_CheckedResult - throwing %s",
                   error.FullText().c_str());
  throw error;
}

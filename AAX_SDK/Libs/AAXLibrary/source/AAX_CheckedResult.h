#pragma once

#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <set>

// Turns a failing result into a ResultError: assigning a result that is not in
// the accepted set (initially only AAX_SUCCESS) traces "AAX_CheckedResult -
// throwing <text>", remembers the failure as the last error, resets the current
// result to success and throws. Used where a chain of host calls must stop at
// the first failure (description). [any-thread]
class AAX_CheckedResult
{
public:
  AAX_CheckedResult() = default;
  // Checks at once.
  AAX_CheckedResult(AAX_Result result);

  AAX_CheckedResult& operator=(AAX_Result result);
  AAX_CheckedResult& operator|=(AAX_Result result) { return *this = result; }

  void AddAcceptedResult(AAX_Result result) { mAccepted.insert(result); }
  void ResetAcceptedResults() { mAccepted = {AAX_SUCCESS}; }

  AAX_Result Result() const noexcept { return mCurrent; }
  AAX_Result LastError() const noexcept { return mLastError; }
  operator AAX_Result() const noexcept { return mCurrent; }

private:
  void Check();

  AAX_Result mCurrent = AAX_SUCCESS;
  AAX_Result mLastError = AAX_SUCCESS;
  std::set<AAX_Result> mAccepted{AAX_SUCCESS};
};

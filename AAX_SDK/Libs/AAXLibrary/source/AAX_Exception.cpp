#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Exception.h"

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_ResultNames.h"

#include <cstdio>
#include <utility>

namespace AAX::Exception
{

Any::Any(std::string description, std::string function, std::string line)
    : mDescription(std::move(description)), mFunction(std::move(function)), mLine(std::move(line))
{
  mFullText = mDescription;
  if (!mFunction.empty()) mFullText += " func:" + mFunction;
  if (!mLine.empty()) mFullText += " line:" + mLine;
}

ResultError::ResultError(AAX_Result result, std::string function, std::string line)
    : Any(DescriptionOf(result), std::move(function), std::move(line)), mResult(result)
{
}

std::string ResultError::DescriptionOf(AAX_Result result)
{
  char code[24];
  std::snprintf(code, sizeof code, "%ld", static_cast<long>(result));
  return std::string(AAX_ResultName(result)) + " (" + code + ")";
}

} // namespace AAX::Exception

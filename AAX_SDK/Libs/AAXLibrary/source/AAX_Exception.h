#pragma once

#include "AAX_SDK/Interfaces/AAX_Types.h"

#include <exception>
#include <string>

// The library's exceptions. They are used only inside the module: every export
// catches them and answers a result code instead.
namespace AAX::Exception
{

// [any-thread]
class Any : public std::exception
{
public:
  // line is a text so that callers can pass __LINE__ through a macro or nothing.
  Any(std::string description, std::string function = {}, std::string line = {});

  const char* what() const noexcept override { return mFullText.c_str(); }
  const std::string& Description() const noexcept { return mDescription; }
  const std::string& Function() const noexcept { return mFunction; }
  const std::string& Line() const noexcept { return mLine; }
  // Description, then " func:" and the function, then " line:" and the line,
  // each only when not empty.
  const std::string& FullText() const noexcept { return mFullText; }

private:
  std::string mDescription;
  std::string mFunction;
  std::string mLine;
  std::string mFullText;
};

class ResultError : public Any
{
public:
  // The description is the result's name followed by the code in parentheses,
  // for example "AAX_ERROR_NULL_OBJECT (-20004)".
  explicit ResultError(AAX_Result result, std::string function = {}, std::string line = {});

  AAX_Result Result() const noexcept { return mResult; }

  static std::string DescriptionOf(AAX_Result result);

private:
  AAX_Result mResult;
};

} // namespace AAX::Exception

#pragma once

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Exception.h"

// The body of an operation the host calls: no exception may cross into the
// host, so a result error answers its code and anything else (bad_alloc
// included) AAX_ERROR_UNKNOWN_EXCEPTION. [any-thread]
template <typename Body>
AAX_Result AAX_GuardHostCall(Body&& body) noexcept
{
  try
  {
    return body();
  }
  catch (const AAX::Exception::ResultError& error)
  {
    return error.Result();
  }
  catch (...)
  {
    return AAX_ERROR_UNKNOWN_EXCEPTION;
  }
}

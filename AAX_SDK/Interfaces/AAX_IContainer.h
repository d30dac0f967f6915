#pragma once

#include <cstdint>

// Status codes of the library's containers.
class AAX_IContainer
{
public:
  enum EStatus : std::int32_t
  {
    eStatus_Success = 0,
    eStatus_Overflow = 1,
    eStatus_NotSupported = 2,
    eStatus_Unavailable = 3,
    eStatus_Unspecified = 4,
  };

  virtual ~AAX_IContainer() = default;
  virtual void Clear() = 0;
};

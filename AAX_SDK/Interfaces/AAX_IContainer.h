#pragma once

#include <cstdint>

// Status codes and the common base of the library's containers. Slot 0 is the
// deleting destructor as a Microsoft-built caller sees it (see
// AAX_DeletingDestructor.h), then Clear.
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

  // Destroys the container; bit 0 of flags also frees it. Answers the container.
  virtual void* DeletingDestructor(unsigned int flags) = 0;
  virtual void Clear() = 0;

protected:
  ~AAX_IContainer() = default;
};

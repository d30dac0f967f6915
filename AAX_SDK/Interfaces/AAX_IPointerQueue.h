#pragma once

#include "AAX_SDK/Interfaces/AAX_IContainer.h"

// A queue of non-null pointers. The queue never owns what it carries.
template <typename T>
class AAX_IPointerQueue : public AAX_IContainer
{
public:
  using value_type = T*;

  virtual EStatus Push(value_type element) = 0;
  virtual value_type Pop() = 0;
  virtual value_type Peek() const = 0;

protected:
  ~AAX_IPointerQueue() = default;
};

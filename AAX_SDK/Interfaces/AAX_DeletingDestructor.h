#pragma once

// Slot 0 of an interface that a Microsoft-built caller deletes through a
// pointer to it (AAX_IString, AAX_IContainer). That caller's `delete p`
// calls slot 0 with flags 1: destroy, then free; flags without bit 0 destroy
// only. The interfaces declare the slot as an ordinary virtual so gcc gives it
// the same single place (a virtual destructor would take two slots there).
// Implementations answer it with this helper. [any-thread]
template <typename T>
void* AAX_RunDeletingDestructor(T* object, unsigned int flags) noexcept
{
  if ((flags & 1u) != 0)
    delete object;
  else
    object->~T();
  return object;
}

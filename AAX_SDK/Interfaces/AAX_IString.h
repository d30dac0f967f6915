#pragma once

#include <cstdint>

// A text exchanged with the host. The side that creates the object owns it; the
// other side only reads or assigns through this interface.
// [any-thread, one thread at a time per object]
class AAX_IString
{
public:
  virtual ~AAX_IString() = default;
  virtual std::uint32_t Length() const = 0;
  virtual std::uint32_t MaxLength() const = 0;
  // Zero-terminated characters, valid until the next change.
  virtual const char* Get() const = 0;
  virtual void Set(const char* text) = 0;
  virtual AAX_IString& operator=(const char* text) = 0;
  virtual AAX_IString& operator=(const AAX_IString& other) = 0;
};

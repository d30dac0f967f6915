#pragma once

#include <cstdint>

// A text exchanged with the host. The side that creates the object owns it; the
// other side only reads or assigns through this interface.
//
// The slots are those a Microsoft-built host sees: 0 the deleting destructor,
// 1 length, 2 maximum length, 3 characters, 4 set, 5 assign from characters,
// 6 assign from another string. A virtual destructor or two virtual
// `operator=` overloads would give gcc a different order, so both are plain
// named slots here and the operators below only forward to them.
// [any-thread, one thread at a time per object]
class AAX_IString
{
public:
  // Destroys the object; bit 0 of flags also frees it. Answers the object.
  virtual void* DeletingDestructor(unsigned int flags) = 0;
  virtual std::uint32_t Length() const = 0;
  virtual std::uint32_t MaxLength() const = 0;
  // Zero-terminated characters, valid until the next change.
  virtual const char* Get() const = 0;
  virtual void Set(const char* text) = 0;
  virtual AAX_IString& AssignText(const char* text) = 0;
  virtual AAX_IString& AssignString(const AAX_IString& other) = 0;

  AAX_IString& operator=(const char* text) { return AssignText(text); }
  AAX_IString& operator=(const AAX_IString& other) { return AssignString(other); }

protected:
  AAX_IString() = default;
  AAX_IString(const AAX_IString&) = default;
  ~AAX_IString() = default;
};

#pragma once

#include "AAX_SDK/Interfaces/AAX_DeletingDestructor.h"
#include "AAX_SDK/Interfaces/AAX_IString.h"

#include <string>

// The library's text object for exchanges with the host. The host may call
// every slot, so none lets an exception out: a text that cannot be stored
// leaves the object empty.
// [any-thread, one thread at a time per object]
class AAX_CString final : public AAX_IString
{
public:
  AAX_CString() = default;
  explicit AAX_CString(const char* text) { Set(text); }
  AAX_CString(const AAX_CString& other) : AAX_IString(), mText(other.mText) {}
  AAX_CString& operator=(const AAX_CString& other)
  {
    mText = other.mText;
    return *this;
  }
  ~AAX_CString() = default;

  void* DeletingDestructor(unsigned int flags) override
  {
    return AAX_RunDeletingDestructor(this, flags);
  }
  std::uint32_t Length() const override { return static_cast<std::uint32_t>(mText.size()); }
  std::uint32_t MaxLength() const override { return 0xFFFFFFFEu; }
  const char* Get() const override { return mText.c_str(); }
  void Set(const char* text) override;
  AAX_IString& AssignText(const char* text) override;
  AAX_IString& AssignString(const AAX_IString& other) override;
  using AAX_IString::operator=;

  const std::string& StdString() const noexcept { return mText; }

  // Longest text taken over from outside (a host's characters or string object).
  static constexpr std::size_t kMaxForeignLength = 65536;

private:
  std::string mText;
};

#pragma once

#include "AAX_SDK/Interfaces/AAX_IString.h"

#include <string>

// The library's text object for exchanges with the host.
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
  ~AAX_CString() override = default;

  std::uint32_t Length() const override { return static_cast<std::uint32_t>(mText.size()); }
  std::uint32_t MaxLength() const override { return 0xFFFFFFFEu; }
  const char* Get() const override { return mText.c_str(); }
  void Set(const char* text) override;
  AAX_IString& operator=(const char* text) override;
  AAX_IString& operator=(const AAX_IString& other) override;

  const std::string& StdString() const noexcept { return mText; }

  // Longest text taken over from outside (a host's characters or string object).
  static constexpr std::size_t kMaxForeignLength = 65536;

private:
  std::string mText;
};

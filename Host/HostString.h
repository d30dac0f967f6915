#pragma once

#include "AAX_SDK/Interfaces/AAX_DeletingDestructor.h"
#include "AAX_SDK/Interfaces/AAX_IString.h"

#include <string>

namespace aaxhost
{

// A text the host hands to a module to fill. Texts from the module are cut to
// kMaxLength bytes.
// [any-thread, one thread at a time]
class HostString final : public AAX_IString
{
public:
  HostString() = default;
  explicit HostString(const std::string& text) : mText(text) {}
  HostString(const HostString&) = delete;
  HostString& operator=(const HostString&) = delete;
  ~HostString() = default;

  void* DeletingDestructor(unsigned int flags) override
  {
    return AAX_RunDeletingDestructor(this, flags);
  }
  std::uint32_t Length() const override { return static_cast<std::uint32_t>(mText.size()); }
  std::uint32_t MaxLength() const override { return kMaxLength; }
  const char* Get() const override { return mText.c_str(); }
  void Set(const char* text) override;
  AAX_IString& AssignText(const char* text) override;
  AAX_IString& AssignString(const AAX_IString& other) override;

  const std::string& Text() const noexcept { return mText; }

  static constexpr std::uint32_t kMaxLength = 4096;

private:
  std::string mText;
};

} // namespace aaxhost

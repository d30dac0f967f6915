#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace plughost
{

// What a check that looks at many cases keeps of its failures: the first
// one's description (later ones only count), so the report names the case a
// reader should reproduce first. [main-thread]
class FirstFailure
{
public:
  void Note(std::string what)
  {
    if (mCount++ == 0) mText = std::move(what);
  }
  bool Empty() const noexcept { return mCount == 0; }
  std::int64_t Count() const noexcept { return mCount; }
  const std::string& Text() const noexcept { return mText; }
  // The first failure, or passText when there was none.
  std::string Or(std::string passText) const { return Empty() ? std::move(passText) : mText; }

private:
  std::string mText;
  std::int64_t mCount = 0;
};

} // namespace plughost

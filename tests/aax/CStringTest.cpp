#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CString.h"
#include "Host/HostString.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace
{
// A host string object whose length field lies and whose text has no terminator.
class LyingString final : public AAX_IString
{
public:
  explicit LyingString(std::vector<char>& bytes) : mBytes(bytes) {}
  void* DeletingDestructor(unsigned int) override { return this; }
  std::uint32_t Length() const override { return 0xFFFFFFF0u; }
  std::uint32_t MaxLength() const override { return 0xFFFFFFFEu; }
  const char* Get() const override { return mBytes.data(); }
  void Set(const char*) override {}
  AAX_IString& AssignText(const char*) override { return *this; }
  AAX_IString& AssignString(const AAX_IString&) override { return *this; }

private:
  std::vector<char>& mBytes;
};
} // namespace

TEST(CString, HoldsSetsAndAssignsTexts)
{
  AAX_CString text("Drive");
  EXPECT_EQ(text.Length(), 5u);
  EXPECT_EQ(text.MaxLength(), 0xFFFFFFFEu);
  EXPECT_STREQ(text.Get(), "Drive");
  text.Set(nullptr);
  EXPECT_EQ(text.Length(), 0u);
  AAX_IString& base = text;
  base = "Tone";
  EXPECT_STREQ(text.Get(), "Tone");
  aaxhost::HostString host("Output");
  base = static_cast<const AAX_IString&>(host);
  EXPECT_STREQ(text.Get(), "Output");
  base = static_cast<const AAX_IString&>(text); // self-assignment keeps the text
  EXPECT_STREQ(text.Get(), "Output");
}

TEST(CString, TextsFromOutsideAreBounded)
{
  // Exactly the bound, with no terminator: the copy stops at the bound.
  std::vector<char> bytes(AAX_CString::kMaxForeignLength, 'a');
  LyingString liar(bytes);
  AAX_CString text;
  static_cast<AAX_IString&>(text) = static_cast<const AAX_IString&>(liar);
  EXPECT_EQ(text.Length(), AAX_CString::kMaxForeignLength);

  std::vector<char> longer(AAX_CString::kMaxForeignLength + 10, 'b');
  longer.back() = '\0';
  text.Set(longer.data());
  EXPECT_EQ(text.Length(), AAX_CString::kMaxForeignLength);
  EXPECT_EQ(text.StdString(), std::string(AAX_CString::kMaxForeignLength, 'b'));
}

// Slot 0 is what a Microsoft-built caller's `delete` reaches: flags 1 destroys
// and frees (ASan reports a leak or a double free otherwise), flags 0 only
// destroys, leaving the storage to its owner.
TEST(CString, DeletingDestructorSlotFreesOnlyWithBitZero)
{
  AAX_IString* heap = new AAX_CString(std::string(100, 'x').c_str());
  const auto heapAddress = reinterpret_cast<std::uintptr_t>(heap);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(heap->DeletingDestructor(1u)), heapAddress);

  alignas(AAX_CString) unsigned char storage[sizeof(AAX_CString)];
  AAX_IString* placed = new (storage) AAX_CString(std::string(100, 'y').c_str());
  EXPECT_EQ(placed->DeletingDestructor(0u), static_cast<void*>(storage));

  AAX_IString* host = new aaxhost::HostString("Track 1");
  const auto hostAddress = reinterpret_cast<std::uintptr_t>(host);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(host->DeletingDestructor(1u)), hostAddress);
}

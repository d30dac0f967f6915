// Both builds carry the six resources with exactly the bytes of the files: the Windows
// module in its resource table, the native build in its embedded table.
#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include "Examples/Brasmire/resources/EmbeddedResources.h"
#endif

namespace
{

std::string Lower(std::string text)
{
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

#ifdef _WIN32

// The bytes of a resource of this executable; empty when it is missing.
std::vector<unsigned char> ModuleResource(const char* name, const char* type)
{
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const DWORD size = SizeofResource(module, found);
  const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  if (!bytes) return {};
  return std::vector<unsigned char>(bytes, bytes + size);
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names)
{
  // Numeric identifiers have no text; the product uses none.
  if (!IS_INTRESOURCE(name)) reinterpret_cast<std::set<std::string>*>(names)->insert(name);
  return TRUE;
}

std::set<std::string> ModuleResourceNames(const char* type)
{
  std::set<std::string> names;
  EnumResourceNamesA(GetModuleHandleA(nullptr), type, CollectName,
                     reinterpret_cast<LONG_PTR>(&names));
  return names;
}

TEST(ModuleResources, CarryEachFileUnderItsStoredName)
{
  for (const ExpectedResource& expected : kExpectedResources)
  {
    SCOPED_TRACE(expected.storedName);
    const std::vector<unsigned char> file = ReadFileBytes(ResourcePath(expected.file));
    ASSERT_FALSE(file.empty());
    EXPECT_TRUE(ModuleResource(expected.storedName, expected.type) == file);
  }
}

TEST(ModuleResources, StoredNamesAreUpperCaseWithTheirQuotes)
{
  std::set<std::string> pictures, fonts;
  for (const ExpectedResource& expected : kExpectedResources)
    (std::strcmp(expected.type, "PNG") == 0 ? pictures : fonts).insert(expected.storedName);
  EXPECT_EQ(ModuleResourceNames("PNG"), pictures);
  EXPECT_EQ(ModuleResourceNames("TTF"), fonts);
  // Without its quotes a name is a different name.
  EXPECT_EQ(FindResourceA(GetModuleHandleA(nullptr), "BG@2X.PNG", "PNG"), nullptr);
}

TEST(ModuleResources, LookupIgnoresCase)
{
  for (const ExpectedResource& expected : kExpectedResources)
  {
    SCOPED_TRACE(expected.storedName);
    EXPECT_FALSE(
        ModuleResource(Lower(expected.storedName).c_str(), Lower(expected.type).c_str()).empty());
  }
}

#else

std::vector<unsigned char> Bytes(const igraphics::EmbeddedResource* resource)
{
  if (!resource) return {};
  return std::vector<unsigned char>(resource->data, resource->data + resource->size);
}

TEST(EmbeddedResources, CarryEachFileUnderItsStoredName)
{
  for (const ExpectedResource& expected : kExpectedResources)
  {
    SCOPED_TRACE(expected.storedName);
    const std::vector<unsigned char> file = ReadFileBytes(ResourcePath(expected.file));
    ASSERT_FALSE(file.empty());
    EXPECT_TRUE(Bytes(igraphics::FindEmbeddedResource(expected.storedName, expected.type)) == file);
  }
  EXPECT_EQ(igraphics::EmbeddedResources().size(), std::size(kExpectedResources));
}

TEST(EmbeddedResources, LookupIgnoresCase)
{
  for (const ExpectedResource& expected : kExpectedResources)
  {
    SCOPED_TRACE(expected.storedName);
    const igraphics::EmbeddedResource* exact =
        igraphics::FindEmbeddedResource(expected.storedName, expected.type);
    ASSERT_NE(exact, nullptr);
    EXPECT_EQ(igraphics::FindEmbeddedResource(Lower(expected.storedName), Lower(expected.type)),
              exact);
  }
}

TEST(EmbeddedResources, OtherNamesAndTypesAreNotFound)
{
  EXPECT_EQ(igraphics::FindEmbeddedResource("BG@2X.PNG", "PNG"), nullptr)
      << "quotes are part of the name";
  EXPECT_EQ(igraphics::FindEmbeddedResource("\"BG@2X.PNG\"", "TTF"), nullptr);
  EXPECT_EQ(igraphics::FindEmbeddedResource("\"BG.PNG\"", "PNG"), nullptr);
  EXPECT_EQ(igraphics::FindEmbeddedResource("\"BG@2X.PN\"", "PNG"), nullptr);
  EXPECT_EQ(igraphics::FindEmbeddedResource("", "PNG"), nullptr);
}

#endif

} // namespace

// Finding the product's resources by file name, their scale variants and the cache keys.
#include "ResourceFiles.h"

#include "Examples/Brasmire/resources/ResourceModule.h"
#include "IGraphics/EmbeddedResource.h"
#include "IGraphics/ResourceCache.h"
#include "IGraphics/ResourceLookup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace
{

using igraphics::EResourceLocation;

void* Module()
{
  return brasmire::ResourceModuleHandle();
}

std::vector<unsigned char> Bytes(std::span<const std::uint8_t> bytes)
{
  return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

std::vector<int> SearchOrder(int target)
{
  std::vector<int> order;
  for (int s = target; s > 0; s = igraphics::NextSearchScale(target, s))
    order.push_back(s);
  return order;
}

// FNV-1a written out from its definition, apart from the code under test.
std::uint64_t ReferenceFnv1a(const std::string& text)
{
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : text)
    h = (h ^ c) * 1099511628211ull;
  return h;
}

TEST(ResolveResource, FindsModuleResourcesWithoutRegardToCase)
{
  std::string result;
  EXPECT_EQ(igraphics::ResolveResource("bknob@2x.PNG", "png", result, Module()),
            EResourceLocation::kWinBinary);
  EXPECT_EQ(result, "\"bknob@2x.png\"");
  EXPECT_EQ(igraphics::ResolveResource("Roboto-Regular.ttf", "TTF", result, Module()),
            EResourceLocation::kWinBinary);
  EXPECT_EQ(result, "\"roboto-regular.ttf\"");
}

TEST(ResolveResource, ResultReadsBackTheFileBytes)
{
  for (const ExpectedResource& expected : kExpectedResources)
  {
    SCOPED_TRACE(expected.file);
    std::string result;
    ASSERT_EQ(igraphics::ResolveResource(expected.file, expected.type, result, Module()),
              EResourceLocation::kWinBinary);
    EXPECT_TRUE(Bytes(igraphics::ReadModuleResource(result.c_str(), expected.type, Module())) ==
                ReadFileBytes(ResourcePath(expected.file)));
  }
}

TEST(ResolveResource, MissingNamesTypesAndEmptyNamesAreNotFound)
{
  std::string result = "unchanged";
  EXPECT_EQ(igraphics::ResolveResource("", "png", result, Module()), EResourceLocation::kNotFound);
  EXPECT_EQ(igraphics::ResolveResource(nullptr, "png", result, Module()),
            EResourceLocation::kNotFound);
  EXPECT_EQ(igraphics::ResolveResource("BG.png", "png", result, Module()),
            EResourceLocation::kNotFound)
      << "only the @2x picture exists";
  EXPECT_EQ(igraphics::ResolveResource("BG@2x.png", "ttf", result, Module()),
            EResourceLocation::kNotFound);
  EXPECT_EQ(igraphics::ResolveResource("\"BG@2X.PNG\"", "png", result, Module()),
            EResourceLocation::kNotFound)
      << "the quotes are not part of the requested name";
  EXPECT_EQ(result, "unchanged");
}

TEST(ResolveResource, FallsBackToAFileOnDisk)
{
  const std::string path = ResourcePath("BY@2X.PNG");
  std::string result;
  EXPECT_EQ(igraphics::ResolveResource(path.c_str(), "png", result, Module()),
            EResourceLocation::kAbsolutePath);
  EXPECT_EQ(result, path);
  // A folder is not a file.
  const std::string folder = ResourcePath("generator");
  EXPECT_EQ(igraphics::ResolveResource(folder.c_str(), "png", result, Module()),
            EResourceLocation::kNotFound);
}

TEST(ReadModuleResource, MissingResourcesReadAsEmpty)
{
  EXPECT_TRUE(igraphics::ReadModuleResource("\"BG@3X.PNG\"", "png", Module()).empty());
  EXPECT_TRUE(igraphics::ReadModuleResource("BG@2X.PNG", "png", Module()).empty());
  EXPECT_TRUE(igraphics::ReadModuleResource("\"BG@2X.PNG\"", "ttf", Module()).empty());
  EXPECT_TRUE(igraphics::ReadModuleResource(nullptr, "png", Module()).empty());
  EXPECT_FALSE(igraphics::ReadModuleResource("\"bg@2x.png\"", "png", Module()).empty());
}

TEST(GetModulePath, IsTheFolderOfThisProgram)
{
  const std::string folder = igraphics::GetModulePath(Module());
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(folder.back() == '/' || folder.back() == '\\');
#ifdef _WIN32
  char exe[4096];
  const DWORD length = GetModuleFileNameA(nullptr, exe, sizeof exe);
  EXPECT_EQ(folder, std::string(exe, length).substr(0, folder.size()));
#else
  const std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
  EXPECT_EQ(folder, exe.substr(0, exe.find_last_of('/') + 1));
#endif
}

#ifdef _WIN32

// The product DLL, loaded the way a host loads it.
struct LoadedModule
{
  LoadedModule()
  {
    char exe[4096];
    const DWORD length = GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string path(exe, length);
    path = path.substr(0, path.find_last_of('\\') + 1) + BRASMIRE_MODULE_RELATIVE_PATH;
    handle = LoadLibraryA(path.c_str());
  }
  ~LoadedModule()
  {
    if (handle) FreeLibrary(handle);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  HMODULE handle = nullptr;
};

TEST(ResolveResource, FindsTheProductDllsOwnResources)
{
  LoadedModule dll;
  ASSERT_NE(dll.handle, nullptr);
  std::string result;
  EXPECT_EQ(igraphics::ResolveResource("bknob@2x.PNG", "png", result, dll.handle),
            EResourceLocation::kWinBinary);
  EXPECT_EQ(result, "\"bknob@2x.png\"");
  int found = 0;
  EXPECT_EQ(igraphics::FindScaledImage("BG.png", "png", result, 1, found, dll.handle),
            EResourceLocation::kWinBinary);
  EXPECT_EQ(found, 2);
  for (const ExpectedResource& expected : kExpectedResources)
  {
    SCOPED_TRACE(expected.file);
    ASSERT_EQ(igraphics::ResolveResource(expected.file, expected.type, result, dll.handle),
              EResourceLocation::kWinBinary);
    EXPECT_TRUE(Bytes(igraphics::ReadModuleResource(result.c_str(), expected.type, dll.handle)) ==
                ReadFileBytes(ResourcePath(expected.file)));
  }
  const std::string folder = igraphics::GetModulePath(dll.handle);
  EXPECT_NE(folder.find("Brasmire.aaxplugin"), std::string::npos) << folder;
}

TEST(GetModulePath, KeepsPathsLongerThanTheClassicLimit)
{
  LoadedModule product;
  ASSERT_NE(product.handle, nullptr);
  wchar_t original[4096];
  const DWORD length = GetModuleFileNameW(product.handle, original, 4096);
  ASSERT_GT(length, 0u);
  // A copy of the DLL in a folder whose path alone is longer than 256 characters.
  const std::filesystem::path base = std::filesystem::temp_directory_path() / "brasmire-long-path";
  std::vector<std::filesystem::path> folders{base};
  while (folders.back().string().size() < 300)
    folders.push_back(folders.back() / std::string(40, 'd'));
  // Paths this long need the long-path prefix in the file functions.
  const auto longPath = [](const std::filesystem::path& path)
  { return L"\\\\?\\" + path.wstring(); };
  for (const std::filesystem::path& folder : folders)
    CreateDirectoryW(longPath(folder).c_str(), nullptr);
  const std::filesystem::path copy = folders.back() / "Brasmire.aaxplugin";
  ASSERT_TRUE(CopyFileW(original, longPath(copy).c_str(), FALSE));
  HMODULE loaded = LoadLibraryW(longPath(copy).c_str());
  const std::string found = loaded ? igraphics::GetModulePath(loaded) : std::string();
  if (loaded) FreeLibrary(loaded);
  DeleteFileW(longPath(copy).c_str());
  for (auto it = folders.rbegin(); it != folders.rend(); ++it)
    RemoveDirectoryW(longPath(*it).c_str());
  ASSERT_NE(loaded, nullptr);
  ASSERT_GT(found.size(), 300u);
  EXPECT_EQ(std::filesystem::path(found.substr(0, found.size() - 1)).filename(),
            folders.back().filename());
  EXPECT_NE(found.find("brasmire-long-path"), std::string::npos) << found;
  EXPECT_FALSE(std::filesystem::exists(base)) << "cleaned up";
}

#else

// A module of our own making, for cases the product's resources do not show.
TEST(ResolveResource, TinyResourcesCountAsMissingAndOverlongNamesAreNotFound)
{
  static const unsigned char seven[7] = {1, 2, 3, 4, 5, 6, 7};
  static const unsigned char eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const std::string longName = "\"" + std::string(300, 'A') + ".PNG\"";
  const igraphics::EmbeddedResource entries[] = {
      {"PNG", "\"SEVEN.PNG\"", seven, sizeof seven},
      {"PNG", "\"EIGHT.PNG\"", eight, sizeof eight},
      {"PNG", longName.c_str(), eight, sizeof eight},
  };
  igraphics::EmbeddedResourceTable table{entries};
  EXPECT_TRUE(igraphics::ReadModuleResource("\"seven.png\"", "png", &table).empty());
  EXPECT_EQ(igraphics::ReadModuleResource("\"eight.png\"", "png", &table).size(), 8u);
  std::string result;
  const std::string requested = std::string(300, 'a') + ".png";
  EXPECT_EQ(igraphics::ResolveResource(requested.c_str(), "png", result, &table),
            EResourceLocation::kNotFound)
      << "a result longer than 260 characters is not cut to another name";
}

TEST(FindScaledImage, TriesThreeBeforeTwoFromTargetOne)
{
  static const unsigned char png[8] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
  const igraphics::EmbeddedResource entries[] = {
      {"PNG", "\"BG@2X.PNG\"", png, sizeof png},
      {"PNG", "\"BG@3X.PNG\"", png, sizeof png},
  };
  igraphics::EmbeddedResourceTable table{entries};
  std::string result;
  int found = 0;
  EXPECT_EQ(igraphics::FindScaledImage("BG.png", "png", result, 1, found, &table),
            EResourceLocation::kWinBinary);
  EXPECT_EQ(found, 3);
  EXPECT_EQ(result, "\"bg@3x.png\"");
  EXPECT_EQ(igraphics::FindScaledImage("BG.png", "png", result, 2, found, &table),
            EResourceLocation::kWinBinary);
  EXPECT_EQ(found, 2);
}

#endif

TEST(FindScaledImage, CandidateOrders)
{
  EXPECT_EQ(SearchOrder(1), (std::vector<int>{1, 3, 2}));
  EXPECT_EQ(SearchOrder(2), (std::vector<int>{2, 3, 1}));
  EXPECT_EQ(SearchOrder(3), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(SearchOrder(4), (std::vector<int>{4, 3, 2, 1}));
  EXPECT_TRUE(SearchOrder(0).empty());
  EXPECT_TRUE(SearchOrder(-2).empty());
}

TEST(FindScaledImage, VariantNames)
{
  EXPECT_EQ(igraphics::ScaledImageName("BKNOB.png", 2), "BKNOB@2x.png");
  EXPECT_EQ(igraphics::ScaledImageName("BKNOB.png", 1), "BKNOB.png");
  EXPECT_EQ(igraphics::ScaledImageName("knob", 2), "knob@2x");
  EXPECT_EQ(igraphics::ScaledImageName("skin.v2/knob", 3), "skin.v2/knob@3x");
  EXPECT_EQ(igraphics::ScaledImageName("skin.v2\\knob", 3), "skin.v2\\knob@3x");
  EXPECT_EQ(igraphics::ScaledImageName("a.b.png", 2), "a.b@2x.png");
}

TEST(FindScaledImage, BackgroundAtTargetOneIsFoundAtScaleTwo)
{
  std::string result;
  int found = 0;
  EXPECT_EQ(igraphics::FindScaledImage("BG.png", "png", result, 1, found, Module()),
            EResourceLocation::kWinBinary);
  EXPECT_EQ(found, 2);
  EXPECT_EQ(result, "\"bg@2x.png\"");
  EXPECT_EQ(igraphics::FindScaledImage("NONE.png", "png", result, 2, found, Module()),
            EResourceLocation::kNotFound);
}

TEST(ResourceCache, KeysAreTheNameAndScaleHashedWithFnv1a)
{
  EXPECT_EQ(igraphics::ResourceCacheKey("SKNOB.png", 2.0), "SKNOB.png-2.0x");
  EXPECT_EQ(igraphics::ResourceCacheKey("BKNOB.png", 1.5), "BKNOB.png-1.5x");
  EXPECT_EQ(ReferenceFnv1a("SKNOB.png-2.0x"), 0x23ee3b48efb72cfeull);
  EXPECT_EQ(ReferenceFnv1a("BKNOB.png-2.0x"), 0x12821f94cd63485full);
  EXPECT_EQ(igraphics::Fnv1a64("SKNOB.png-2.0x"), 0x23ee3b48efb72cfeull);
  EXPECT_EQ(igraphics::Fnv1a64("BKNOB.png-2.0x"), 0x12821f94cd63485full);
  EXPECT_EQ(igraphics::Fnv1a64(""), 0xcbf29ce484222325ull);
}

TEST(ResourceCache, FindsByNameAndExactScaleAndKeepsTheFirstOfAKey)
{
  igraphics::ResourceCache<int> cache;
  int* two = cache.Add("knob", 2.0, std::make_unique<int>(2));
  EXPECT_EQ(cache.Find("knob", 2.0), two);
  EXPECT_EQ(cache.Find("knob", 1.0), nullptr);
  EXPECT_EQ(cache.Find("knob", 2.01), nullptr) << "scales match exactly, not by their key text";
  EXPECT_EQ(cache.Find("Knob", 2.0), nullptr);
  EXPECT_EQ(cache.Add("knob", 2.0, std::make_unique<int>(3)), two);
  EXPECT_EQ(*two, 2);
  EXPECT_EQ(cache.Size(), 1);
  EXPECT_TRUE(cache.Remove(two));
  EXPECT_FALSE(cache.Remove(two));
  EXPECT_EQ(cache.Size(), 0);
}

TEST(ResourceCache, EmptiesWhenItsLastUserLetsGo)
{
  igraphics::ResourceCache<int> cache;
  cache.Retain();
  cache.Retain();
  cache.Add("a", 1.0, std::make_unique<int>(1));
  cache.Release();
  EXPECT_EQ(cache.Size(), 1);
  cache.Release();
  EXPECT_EQ(cache.Size(), 0);
  EXPECT_EQ(cache.Users(), 0);
  cache.Release(); // one release too many changes nothing
  EXPECT_EQ(cache.Users(), 0);
}

} // namespace

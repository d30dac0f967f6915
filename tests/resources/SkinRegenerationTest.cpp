// The committed pictures are exactly what the skin generator renders today: a change to the
// generator without rendering the pictures again (cmake --build ... --target brasmire_skin)
// fails here.
#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace
{

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder
{
public:
  TemporaryFolder()
  {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "brasmire-skin-XXXXXX").string();
    if (mkdtemp(pattern.data())) mPath = pattern;
  }
  ~TemporaryFolder()
  {
    std::error_code ignored;
    if (!mPath.empty()) std::filesystem::remove_all(mPath, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& Path() const { return mPath; }

private:
  std::string mPath;
};

std::string Quoted(const std::string& text)
{
  return "'" + text + "'";
}

TEST(SkinGenerator, RendersTheCommittedPicturesByteForByte)
{
#ifndef BRASMIRE_SKIN_GENERATOR
  GTEST_SKIP() << "the skin generator was not built (cairo, FreeType, libpng or "
                  "fonts-roboto-unhinted missing)";
#else
  TemporaryFolder folder;
  ASSERT_FALSE(folder.Path().empty());
  const std::string command = Quoted(BRASMIRE_SKIN_GENERATOR) + " " + Quoted(folder.Path()) + " " +
                              Quoted(BRASMIRE_SKIN_FONT_DIR);
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  for (const char* file : {"BG@2X.PNG", "BKNOB@2X.PNG", "SKNOB@2X.PNG", "BY@2X.PNG", "OVER@2X.PNG"})
  {
    SCOPED_TRACE(file);
    const auto rendered = ReadFileBytes(folder.Path() + "/" + file);
    ASSERT_FALSE(rendered.empty());
    EXPECT_TRUE(rendered == ReadFileBytes(ResourcePath(file)))
        << "render the pictures again: cmake --build <build folder> --target brasmire_skin";
  }
#endif
}

} // namespace

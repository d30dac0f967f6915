#include "IGraphics/Platforms/FileDialogStrings.h"

#include <gtest/gtest.h>

namespace igraphics
{
namespace
{

TEST(FileDialogStrings, ExtensionListBecomesPatternFilterAndDefaultExtension)
{
  const FileDialogStrings strings("wav aif");
  EXPECT_EQ(strings.Pattern(), "*.wav;*.aif");
  EXPECT_EQ(strings.DefaultExtension(), "wav");
  using namespace std::string_literals;
  EXPECT_EQ(strings.FilterList(), u"*.wav;*.aif\0*.wav;*.aif\0\0"s);

  const FileDialogStrings spaced("  wav   aif ");
  EXPECT_EQ(spaced.Pattern(), "*.wav;*.aif");
}

TEST(FileDialogStrings, NoExtensionsGiveNoFilter)
{
  for (const char* none : {static_cast<const char*>(nullptr), "", "   "})
  {
    const FileDialogStrings strings(none);
    EXPECT_EQ(strings.Pattern(), "");
    EXPECT_EQ(strings.DefaultExtension(), "");
    EXPECT_TRUE(strings.FilterList().empty());
  }
}

TEST(FileDialogStrings, PatternKeepsWholeExtensionsWithin126Characters)
{
  // "*." and 124 letters make exactly 126.
  const std::string fits(124, 'e');
  EXPECT_EQ(FileDialogStrings(fits.c_str()).Pattern(), "*." + fits);
  EXPECT_EQ(FileDialogStrings((fits + " wav").c_str()).Pattern(), "*." + fits);
  EXPECT_EQ(FileDialogStrings(std::string(125, 'e').c_str()).Pattern(), "");
  // 120 + ";*.wav" = 126 fits; one letter more does not.
  const std::string first(118, 'e');
  EXPECT_EQ(FileDialogStrings((first + " wav").c_str()).Pattern(), "*." + first + ";*.wav");
  EXPECT_EQ(FileDialogStrings((first + "e wav").c_str()).Pattern(), "*." + first + "e");
}

TEST(FileDialogStrings, DefaultExtensionOnlyWithinFifteenCharacters)
{
  const std::string fifteen(15, 'x');
  EXPECT_EQ(FileDialogStrings(fifteen.c_str()).DefaultExtension(), fifteen);
  EXPECT_EQ(FileDialogStrings((fifteen + "x wav").c_str()).DefaultExtension(), "");
}

TEST(FileDialogStrings, DirectoryIsDriveAndFolderWithTrailingBackslash)
{
  EXPECT_EQ(FileDialogStrings::DirectoryOf("C:\\x\\y.wav"), "C:\\x\\");
  EXPECT_EQ(FileDialogStrings::DirectoryOf("C:\\y.wav"), "C:\\");
  EXPECT_EQ(FileDialogStrings::DirectoryOf("D:\\a b\\c\\y.wav"), "D:\\a b\\c\\");
  EXPECT_EQ(FileDialogStrings::DirectoryOf("y.wav"), "");
  EXPECT_EQ(FileDialogStrings::DirectoryOf("\\\\server\\share\\y.wav"), "");
  EXPECT_EQ(FileDialogStrings::DirectoryOf("C:y.wav"), "");
}

} // namespace
} // namespace igraphics

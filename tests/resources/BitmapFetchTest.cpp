// The graphics core's bitmap and font loading over the product's resources.
#include "ResourceFiles.h"
#include "ResourceGraphics.h"

#include "support/FakeEditorDelegate.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{

using igraphics::IBitmapRef;
using igraphics::test::FakeEditorDelegate;
using igraphics::test::ResourceGraphics;

struct PictureSize
{
  const char* name;
  int frames;
  int frameWidth, frameHeight; // points
};

// Pixel sizes of the committed @2x pictures halved (their README lists the pixels).
constexpr PictureSize kPictures[] = {
    {"BG.png", 1, 732, 208}, {"BKNOB.png", 61, 116, 116}, {"SKNOB.png", 61, 69, 69},
    {"BY.png", 2, 65, 18},   {"OVER.png", 2, 171, 18},
};

class BitmapFetch : public ::testing::Test
{
protected:
  FakeEditorDelegate dlg;
  ResourceGraphics g{dlg, 732, 208};
};

TEST_F(BitmapFetch, SizesInPointsComeFromTheDoubleResolutionPictures)
{
  for (const PictureSize& picture : kPictures)
  {
    SCOPED_TRACE(picture.name);
    const IBitmapRef bitmap = g.FetchBitmap(picture.name, picture.frames);
    ASSERT_TRUE(bitmap.IsValid());
    EXPECT_EQ(bitmap.GetScale(), 2.f);
    EXPECT_EQ(bitmap.FW(), picture.frameWidth);
    EXPECT_EQ(bitmap.FH(), picture.frameHeight);
    EXPECT_EQ(bitmap.W(), picture.frameWidth);
    EXPECT_EQ(bitmap.H(), picture.frameHeight * picture.frames);
    EXPECT_EQ(bitmap.GetResourceName(), picture.name);
  }
  EXPECT_EQ(g.FetchBitmap("BKNOB.png", 61).H(), 7076);
}

TEST_F(BitmapFetch, AtScreenScaleOneEachPictureIsDecodedOnce)
{
  const IBitmapRef first = g.FetchBitmap("BKNOB.png", 61);
  const IBitmapRef again = g.FetchBitmap("BKNOB.png", 61);
  const IBitmapRef atTwo = g.FetchBitmap("BKNOB.png", 61, false, 2);
  EXPECT_EQ(g.LoadCount("\"bknob@2x.png\""), 1);
  EXPECT_EQ(g.TotalLoads(), 1);
  EXPECT_EQ(again.GetAPIBitmap(), first.GetAPIBitmap());
  EXPECT_EQ(atTwo.GetAPIBitmap(), first.GetAPIBitmap());
}

TEST_F(BitmapFetch, ScreenScaleOneAndAHalfAsksForScaleTwo)
{
  g.ApplyScreenScale(1.5f);
  const IBitmapRef bitmap = g.FetchBitmap("SKNOB.png", 61);
  ASSERT_TRUE(bitmap.IsValid());
  EXPECT_EQ(bitmap.GetScale(), 2.f);
  EXPECT_EQ(bitmap.FW(), 69);
}

TEST_F(BitmapFetch, MissingOrUnsupportedPicturesGiveEmptyReferences)
{
  const IBitmapRef missing = g.FetchBitmap("NOTHERE.png", 61);
  EXPECT_FALSE(missing.IsValid());
  EXPECT_EQ(missing.W(), 0);
  EXPECT_EQ(missing.H(), 0);
  EXPECT_EQ(missing.FW(), 0);
  EXPECT_EQ(missing.FH(), 0);
  EXPECT_FALSE(g.FetchBitmap("").IsValid());
  EXPECT_FALSE(g.FetchBitmap(nullptr).IsValid());

  // A .bmp file that exists is still refused.
  const auto bmp = std::filesystem::temp_directory_path() / "brasmire-fetch-test.bmp";
  std::filesystem::copy_file(ResourcePath("BY@2X.PNG"), bmp,
                             std::filesystem::copy_options::overwrite_existing);
  EXPECT_FALSE(g.FetchBitmap(bmp.string().c_str()).IsValid());
  std::filesystem::remove(bmp);
  EXPECT_EQ(g.TotalLoads(), 0);
}

TEST(SharedBitmapCache, EditorsShareItAndTheLastOneEmptiesIt)
{
  FakeEditorDelegate dlg;
  const igraphics::APIBitmap* shared = nullptr;
  {
    ResourceGraphics first(dlg, 732, 208);
    ResourceGraphics second(dlg, 732, 208);
    shared = first.FetchBitmap("BY.png", 2).GetAPIBitmap();
    EXPECT_EQ(second.FetchBitmap("BY.png", 2).GetAPIBitmap(), shared);
    EXPECT_EQ(first.TotalLoads() + second.TotalLoads(), 1);
  }
  ResourceGraphics later(dlg, 732, 208);
  EXPECT_TRUE(later.FetchBitmap("BY.png", 2).IsValid());
  EXPECT_EQ(later.TotalLoads(), 1) << "the cache emptied when the editors closed";
}

TEST_F(BitmapFetch, FontsComeFromTheModuleResources)
{
  EXPECT_TRUE(g.LoadFont("Roboto-Regular", "Roboto-Regular.ttf"));
  ASSERT_EQ(g.RegisteredFonts().size(), 1u);
  EXPECT_EQ(g.RegisteredFonts()[0], "Roboto-Regular");
  EXPECT_TRUE(g.RegisteredFontData()[0].bytes == ReadFileBytes(ResourcePath("ROBOTO-REGULAR.TTF")));
  EXPECT_FALSE(g.LoadFont("Missing", "Missing.ttf"));
  // A picture is no font, even under a font's name.
  EXPECT_FALSE(g.LoadFont("Picture", ResourcePath("BY@2X.PNG").c_str()));
  EXPECT_EQ(g.RegisteredFonts().size(), 1u);
}

TEST_F(BitmapFetch, VectorImagesCannotBeLoadedYet)
{
  EXPECT_FALSE(g.LoadVectorImage("knob.svg").IsValid());
  const char svg[] = "<svg xmlns='http://www.w3.org/2000/svg' width='1' height='1'/>";
  EXPECT_FALSE(g.LoadVectorImage("inline", svg, sizeof svg - 1).IsValid());
}

} // namespace

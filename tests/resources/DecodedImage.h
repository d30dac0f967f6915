#pragma once

#include <cstdint>
#include <memory>
#include <string>

// A PNG decoded to straight 8-bit RGBA, for checking the committed pictures pixel by pixel.
class DecodedImage
{
public:
  struct Pixel
  {
    std::uint8_t r, g, b, a;
    double Luma() const { return 0.299 * r + 0.587 * g + 0.114 * b; }
  };

  explicit DecodedImage(const std::string& path);

  bool Valid() const { return mPixels != nullptr; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int ChannelsInFile() const { return mChannelsInFile; }
  Pixel At(int x, int y) const;

private:
  struct Release
  {
    void operator()(std::uint8_t* pixels) const;
  };
  std::unique_ptr<std::uint8_t, Release> mPixels;
  int mWidth = 0;
  int mHeight = 0;
  int mChannelsInFile = 0;
};

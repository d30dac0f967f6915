#pragma once

namespace igraphics
{

// A bitmap as the drawing back end holds it: a renderer image of a pixel size,
// made for a resolution factor `scale` (2 for an @2x picture). Back ends derive
// from it to keep their own handles; caches own instances.
class APIBitmap
{
public:
  APIBitmap() = default;
  APIBitmap(int imageId, int widthPixels, int heightPixels, float scale, float drawScale)
      : mImageId(imageId), mWidth(widthPixels), mHeight(heightPixels), mScale(scale),
        mDrawScale(drawScale)
  {
  }
  virtual ~APIBitmap() = default;
  APIBitmap(const APIBitmap&) = delete;
  APIBitmap& operator=(const APIBitmap&) = delete;

  int GetImageId() const { return mImageId; }
  int GetWidth() const { return mWidth; }   // pixels
  int GetHeight() const { return mHeight; } // pixels
  float GetScale() const { return mScale; }
  float GetDrawScale() const { return mDrawScale; }

protected:
  void SetBitmap(int imageId, int widthPixels, int heightPixels, float scale, float drawScale)
  {
    mImageId = imageId;
    mWidth = widthPixels;
    mHeight = heightPixels;
    mScale = scale;
    mDrawScale = drawScale;
  }

private:
  int mImageId = 0;
  int mWidth = 0;
  int mHeight = 0;
  float mScale = 1.f;
  float mDrawScale = 1.f;
};

} // namespace igraphics

#pragma once

#include "IGraphics/Drawing/IGraphicsNanoVG.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace igraphics
{

// A bitmap of the drawing back end: one renderer image, or, for a picture
// taller than the largest texture the context takes, several images each
// holding a band of its rows; or a framebuffer whose texture is the image
// (a layer). Lives on the editor's thread [main-thread].
class IGraphicsNanoVG::Bitmap : public APIBitmap
{
public:
  // Rows [top, top + rows) of the picture, held by one renderer image.
  struct Band
  {
    int image = 0;
    int top = 0;
    int rows = 0;
  };

  // An existing renderer image (0 for none); its size is asked from the renderer.
  Bitmap(IGraphicsNanoVG& graphics, int image, float scale);
  // Straight RGBA pixels, rows top to bottom (`imageFlags` as the renderer's).
  Bitmap(IGraphicsNanoVG& graphics, int widthPixels, int heightPixels, const std::uint8_t* rgba,
         int imageFlags, float scale, float drawScale);
  // A cleared framebuffer surface for a layer. The framebuffer stays bound.
  struct LayerSurface
  {
  };
  Bitmap(IGraphicsNanoVG& graphics, int widthPixels, int heightPixels, float scale, float drawScale,
         LayerSurface);
  ~Bitmap() override;

  // Empty when the bitmap holds no image.
  const std::vector<Band>& Bands() const { return mBands; }
  Framebuffer* GetFramebuffer() const { return mFramebuffer.get(); }

private:
  IGraphicsNanoVG& mGraphics;
  VectorRenderer* mRenderer; // the context the images belong to; not owned
  std::unique_ptr<Framebuffer> mFramebuffer;
  std::vector<Band> mBands;
};

} // namespace igraphics

#include "IGraphics/Drawing/IGraphicsNanoVGBitmap.h"

#include <algorithm>

namespace igraphics
{

IGraphicsNanoVG::Bitmap::Bitmap(IGraphicsNanoVG& graphics, int image, float scale)
    : mGraphics(graphics), mRenderer(graphics.Renderer())
{
  int w = 0;
  int h = 0;
  if (image != 0 && mRenderer && mRenderer->ImageSize(image, w, h))
    mBands.push_back(Band{image, 0, h});
  SetBitmap(mBands.empty() ? 0 : image, w, h, scale, 1.f);
}

IGraphicsNanoVG::Bitmap::Bitmap(IGraphicsNanoVG& graphics, int widthPixels, int heightPixels,
                                const std::uint8_t* rgba, int imageFlags, float scale,
                                float drawScale)
    : mGraphics(graphics), mRenderer(graphics.Renderer())
{
  if (mRenderer && rgba && widthPixels > 0 && heightPixels > 0)
  {
    // Tall filmstrips exceed some drivers' texture limit: bands of rows, each
    // its own image, draw the same pixels.
    const int maxRows = mRenderer->MaxImageSize();
    const std::size_t rowBytes = static_cast<std::size_t>(widthPixels) * 4;
    for (int top = 0; top < heightPixels && maxRows > 0; top += maxRows)
    {
      const int rows = std::min(maxRows, heightPixels - top);
      const int image = mRenderer->CreateImageRgba(widthPixels, rows, imageFlags,
                                                   rgba + rowBytes * static_cast<std::size_t>(top));
      if (image == 0)
      {
        for (const Band& band : mBands)
          mRenderer->DeleteImage(band.image);
        mBands.clear();
        break;
      }
      mBands.push_back(Band{image, top, rows});
    }
  }
  if (mBands.empty())
    SetBitmap(0, 0, 0, scale, drawScale);
  else
    SetBitmap(mBands.front().image, widthPixels, heightPixels, scale, drawScale);
}

IGraphicsNanoVG::Bitmap::Bitmap(IGraphicsNanoVG& graphics, int widthPixels, int heightPixels,
                                float scale, float drawScale, LayerSurface)
    : mGraphics(graphics), mRenderer(graphics.Renderer())
{
  if (mRenderer) mFramebuffer = mRenderer->CreateFramebuffer(widthPixels, heightPixels, 0);
  if (!mFramebuffer)
  {
    SetBitmap(0, 0, 0, scale, drawScale);
    return;
  }
  mRenderer->BindFramebuffer(*mFramebuffer);
  mRenderer->SetViewport(0, 0, widthPixels, heightPixels);
  mRenderer->ClearTarget(0.f, 0.f, 0.f, 0.f);
  mRenderer->BeginFrame(static_cast<float>(widthPixels), static_cast<float>(heightPixels), 1.f);
  mRenderer->EndFrame();
  mBands.push_back(Band{mFramebuffer->Image(), 0, heightPixels});
  SetBitmap(mFramebuffer->Image(), widthPixels, heightPixels, scale, drawScale);
}

IGraphicsNanoVG::Bitmap::~Bitmap()
{
  // Images of a renderer that has gone went with it.
  if (mGraphics.Renderer() != mRenderer || mRenderer == nullptr) return;
  if (mFramebuffer)
  {
    mGraphics.ReleaseFramebuffer(std::move(mFramebuffer));
    return;
  }
  for (const Band& band : mBands)
    mRenderer->DeleteImage(band.image);
}

} // namespace igraphics

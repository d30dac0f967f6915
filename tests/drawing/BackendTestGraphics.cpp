#include "BackendTestGraphics.h"

#include "Examples/Brasmire/resources/ResourceModule.h"

#include <stb_image.h>

#include <fstream>
#include <iterator>

using namespace igraphics;

std::string ResourcePath(const std::string& file)
{
  return std::string(BRASMIRE_RESOURCE_DIR) + "/" + file;
}

BackendTestGraphics::BackendTestGraphics(iplug::IGEditorDelegate& dlg, int w, int h,
                                         float drawScale)
    : IGraphicsNanoVG(dlg, w, h, 60, drawScale)
{
  SetLibraryInstance(brasmire::ResourceModuleHandle());
}

TestWindow::TestWindow(int width, int height) : mWidth(width), mHeight(height)
{
  mRenderer = VectorRenderer::Create(0);
  if (mRenderer) mFramebuffer = mRenderer->CreateFramebuffer(width, height, 0);
}

TestWindow::~TestWindow() = default;

void TestWindow::Bind()
{
  mRenderer->BindFramebuffer(*mFramebuffer);
}

int TestWindow::Name() const
{
  return static_cast<int>(mFramebuffer->Name());
}

std::vector<std::uint8_t> TestWindow::Read(VectorRenderer& r, int name, int width, int height)
{
  const int previous = r.CurrentFramebufferBinding();
  r.BindFramebufferObject(name);
  std::vector<std::uint8_t> bottomUp(static_cast<std::size_t>(width) * height * 4);
  r.ReadPixels(0, 0, width, height, bottomUp.data());
  r.BindFramebufferObject(previous);
  std::vector<std::uint8_t> topDown(bottomUp.size());
  const std::size_t row = static_cast<std::size_t>(width) * 4;
  for (int y = 0; y < height; ++y)
    std::copy_n(&bottomUp[(height - 1 - y) * row], row, &topDown[y * row]);
  return topDown;
}

std::vector<std::uint8_t> TestWindow::Read()
{
  return Read(*mRenderer, Name(), mWidth, mHeight);
}

Picture LoadPicture(const std::string& file)
{
  Picture p;
  std::ifstream in(ResourcePath(file), std::ios::binary);
  const std::vector<stbi_uc> bytes(std::istreambuf_iterator<char>(in), {});
  int channels = 0;
  stbi_uc* data = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &p.width,
                                        &p.height, &channels, 4);
  if (data)
  {
    p.rgba.assign(data, data + static_cast<std::size_t>(p.width) * p.height * 4);
    stbi_image_free(data);
  }
  return p;
}

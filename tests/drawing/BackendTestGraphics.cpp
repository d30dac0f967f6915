#include "BackendTestGraphics.h"

#include "IGraphics/Drawing/IGraphicsNanoVGBitmap.h"

#include <stb_image.h>

#include <cctype>
#include <fstream>
#include <iterator>

using namespace igraphics;

std::string ResourcePath(const std::string& file)
{
  return std::string(BRASMIRE_RESOURCE_DIR) + "/" + file;
}

namespace
{

class FileFont final : public PlatformFont
{
public:
  explicit FileFont(std::vector<std::uint8_t> bytes) : mBytes(std::move(bytes)) {}
  FontDataRecord FontData() const override
  {
    FontDataRecord record;
    record.bytes = mBytes;
    record.faceIndex = mBytes.empty() ? -1 : 0;
    return record;
  }

private:
  std::vector<std::uint8_t> mBytes;
};

std::string Upper(std::string text)
{
  for (char& c : text)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

} // namespace

bool BackendTestGraphics::LoadFont(const char*, const char*, const char*)
{
  return false;
}

bool BackendTestGraphics::LoadFont(const char* fontId, const char* fileName)
{
  std::ifstream in(ResourcePath(Upper(fileName)), std::ios::binary);
  FileFont font(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}));
  return RegisterRendererFont(fontId, font);
}

IBitmapRef BackendTestGraphics::FetchBitmapFromData(const char* name, const void* data, int size,
                                                    int frames, bool horizontal, int targetScale)
{
  const int scale = targetScale > 0 ? targetScale : 1;
  APIBitmap* b = BackendBitmapFromBytes(name, data, size, static_cast<float>(scale));
  if (b == nullptr || b->GetImageId() == 0) return IBitmapRef();
  return IBitmapRef(b, b->GetWidth() / scale, b->GetHeight() / scale, frames, horizontal, name);
}

int BackendTestGraphics::LocateScaledImage(const char* name, const char*, int, std::string& located,
                                           int& foundScale)
{
  // "BG.png" is committed as "BG@2X.PNG" only.
  std::string upper = Upper(name);
  const auto dot = upper.rfind('.');
  if (dot == std::string::npos) return 0;
  located = ResourcePath(upper.substr(0, dot) + "@2X" + upper.substr(dot));
  if (!std::ifstream(located).good()) return 0;
  foundScale = 2;
  return 1;
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

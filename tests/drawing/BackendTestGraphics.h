#pragma once

#include "IGraphics/Drawing/IGraphicsNanoVG.h"
#include "IPlug/IGEditorDelegate.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Where the product's pictures and font are committed.
std::string ResourcePath(const std::string& file);

// An editor delegate with parameters that writes down gestures.
class TestDelegate : public iplug::IGEditorDelegate
{
public:
  explicit TestDelegate(int nParams = 0) : IGEditorDelegate(nParams) {}
  void BeginParamGestureFromEditor(int paramIdx) override
  {
    calls.push_back("begin " + std::to_string(paramIdx));
  }
  void EndParamGestureFromEditor(int paramIdx) override
  {
    calls.push_back("end " + std::to_string(paramIdx));
  }
  void SendParamFromEditor(int paramIdx, double normalised) override
  {
    values.push_back(normalised);
    calls.push_back("value " + std::to_string(paramIdx));
    IGEditorDelegate::SendParamFromEditor(paramIdx, normalised);
  }
  std::vector<std::string> calls;
  std::vector<double> values;
};

// The back end finding the product's pictures and font in the table the
// module embeds, as the effect's graphics factory sets it up.
class BackendTestGraphics : public igraphics::IGraphicsNanoVG
{
public:
  BackendTestGraphics(iplug::IGEditorDelegate& dlg, int w, int h, float drawScale = 1.f);
};

// A framebuffer standing in for a window, made with its own renderer on the
// shared offscreen context, and the pixels read back top row first.
class TestWindow
{
public:
  TestWindow(int width, int height);
  ~TestWindow();
  bool Ready() const { return mFramebuffer != nullptr; }
  void Bind();
  int Name() const;
  // RGBA bytes of the framebuffer `name` (0..255), top row first.
  static std::vector<std::uint8_t> Read(igraphics::VectorRenderer& r, int name, int width,
                                        int height);
  std::vector<std::uint8_t> Read();

private:
  int mWidth;
  int mHeight;
  std::unique_ptr<igraphics::VectorRenderer> mRenderer;
  std::unique_ptr<igraphics::Framebuffer> mFramebuffer;
};

// Straight RGBA pixels of a committed PNG, decoded by the test itself.
struct Picture
{
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  const std::uint8_t* At(int x, int y) const
  {
    return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
  }
};
Picture LoadPicture(const std::string& file);

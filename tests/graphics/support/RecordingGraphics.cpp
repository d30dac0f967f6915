#include "RecordingGraphics.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace igraphics::test
{

RecordingGraphics::RecordingGraphics(iplug::IGEditorDelegate& dlg, int w, int h, int fps,
                                     float drawScale)
    : IGraphics(dlg, w, h, fps, drawScale)
{
}

RecordingGraphics::~RecordingGraphics()
{
  // Controls may hold references to the fake bitmaps: delete them first.
  ClearAllControls();
}

std::vector<DrawOp> RecordingGraphics::OpsOf(DrawOp::Kind kind) const
{
  std::vector<DrawOp> out;
  for (const DrawOp& op : mOps)
    if (op.kind == kind) out.push_back(op);
  return out;
}

std::vector<DrawOp> RecordingGraphics::FillsOf(const IColor& colour) const
{
  std::vector<DrawOp> out;
  for (const DrawOp& op : mOps)
    if (op.kind == DrawOp::Kind::Fill && op.colour == colour) out.push_back(op);
  return out;
}

IRectList RecordingGraphics::Tick()
{
  IRectList rects;
  if (IsDirty(rects)) MarkAllControlsClean();
  IRectList reported = rects;
  Draw(rects);
  return reported;
}

void RecordingGraphics::AddBitmap(const char* name, int widthPixels, int heightPixels, float scale)
{
  mBitmaps[name] = std::make_unique<FakeBitmap>(widthPixels, heightPixels, scale);
}

void RecordingGraphics::StartFrame()
{
  IGraphics::StartFrame();
  mOps.push_back({DrawOp::Kind::StartFrame});
}

void RecordingGraphics::FinishFrame()
{
  mOps.push_back({DrawOp::Kind::FinishFrame});
}

void RecordingGraphics::DrawBitmapRegion(const IBitmapRef& bitmap, const IRect& dest, int srcX,
                                         int srcY, const IBlendSpec* blend)
{
  DrawOp op{DrawOp::Kind::Bitmap, dest};
  op.srcX = srcX;
  op.srcY = srcY;
  op.bitmap = bitmap.GetAPIBitmap();
  op.text = bitmap.GetResourceName();
  op.hasBlend = blend != nullptr;
  if (blend) op.blend = *blend;
  op.matrix = GetTransform();
  mOps.push_back(op);
}

IColor RecordingGraphics::PixelColourAt(float, float)
{
  return COLOR_BLACK;
}

bool RecordingGraphics::IsLoadableImageType(const char* extension)
{
  std::string ext = extension ? extension : "";
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext.find("png") != std::string::npos || ext.find("jpg") != std::string::npos ||
         ext.find("jpeg") != std::string::npos;
}

bool RecordingGraphics::LoadFont(const char*, const char*, const char*)
{
  return true;
}

bool RecordingGraphics::LoadFont(const char*, const char*)
{
  return true;
}

void RecordingGraphics::AddPathPoint(float x, float y)
{
  const IRect point(x, y, x, y);
  if (mPathEmpty)
    mPathBox = point;
  else
    mPathBox = IRect(std::min(mPathBox.L, x), std::min(mPathBox.T, y), std::max(mPathBox.R, x),
                     std::max(mPathBox.B, y));
  mPathEmpty = false;
}

void RecordingGraphics::PathReset()
{
  mPathBox = IRect();
  mPathEmpty = true;
}

void RecordingGraphics::PathAddArc(float cx, float cy, float r, float, float, bool)
{
  AddPathPoint(cx - r, cy - r);
  AddPathPoint(cx + r, cy + r);
}

void RecordingGraphics::PathStartAt(float x, float y)
{
  AddPathPoint(x, y);
}

void RecordingGraphics::PathAddLine(float x, float y)
{
  AddPathPoint(x, y);
}

void RecordingGraphics::PathAddCubic(float c1x, float c1y, float c2x, float c2y, float x2, float y2)
{
  AddPathPoint(c1x, c1y);
  AddPathPoint(c2x, c2y);
  AddPathPoint(x2, y2);
}

void RecordingGraphics::PathAddQuadratic(float cx, float cy, float x2, float y2)
{
  AddPathPoint(cx, cy);
  AddPathPoint(x2, y2);
}

DrawOp RecordingGraphics::PathOp(DrawOp::Kind kind, const IPatternSpec& pattern,
                                 const IBlendSpec* blend) const
{
  DrawOp op{kind, mPathBox};
  if (pattern.mNStops > 0) op.colour = pattern.GetStop(0).mColor;
  op.hasBlend = blend != nullptr;
  if (blend) op.blend = *blend;
  op.matrix = GetTransform();
  return op;
}

void RecordingGraphics::PathStrokeWith(const IPatternSpec& pattern, float thickness,
                                       const IStrokeSpec& options, const IBlendSpec* blend)
{
  DrawOp op = PathOp(DrawOp::Kind::Stroke, pattern, blend);
  op.thickness = thickness;
  mOps.push_back(op);
  if (!options.mPreserve) PathReset();
}

void RecordingGraphics::PathFillWith(const IPatternSpec& pattern, const IFillSpec& options,
                                     const IBlendSpec* blend)
{
  mOps.push_back(PathOp(DrawOp::Kind::Fill, pattern, blend));
  if (!options.mPreserve) PathReset();
}

void RecordingGraphics::PathSetTransform(const IMatrix& matrix)
{
  DrawOp op{DrawOp::Kind::Transform};
  op.matrix = matrix;
  mOps.push_back(op);
}

void RecordingGraphics::CompleteRegion(const IRect& region)
{
  mOps.push_back({DrawOp::Kind::CompleteRegion, region});
}

void RecordingGraphics::ClipToRect(const IRect& bounds)
{
  mOps.push_back({DrawOp::Kind::Clip, bounds});
}

void RecordingGraphics::OpenNativeTextEntry(int paramIdx, const ITextStyle&, const IRect& bounds,
                                            int maxLength, const char* initialText)
{
  ++mTextEntries;
  mLastTextEntry = {paramIdx, bounds, maxLength, initialText ? initialText : ""};
}

IPopupMenu* RecordingGraphics::ShowNativePopupMenu(IPopupMenu& menu, const IRect& bounds)
{
  ++mMenus;
  mLastMenuBounds = bounds;
  const int choice = mNextMenuChoice;
  mNextMenuChoice = -1;
  if (choice < 0 || choice >= menu.NItems()) return nullptr;
  menu.SetChosenItemIdx(choice);
  return &menu;
}

void RecordingGraphics::PlatformResize(bool hostResized)
{
  ++mPlatformResizes;
  mLastPlatformResizeAnswer = hostResized;
}

IBitmapRef RecordingGraphics::FetchBitmapFromData(const char* name, const void*, int, int frames,
                                                  bool horizontal, int targetScale)
{
  return FetchBitmap(name, frames, horizontal, targetScale);
}

IBitmapRef RecordingGraphics::FetchBitmap(const char* name, int frames, bool horizontal, int)
{
  const auto it = mBitmaps.find(name ? name : "");
  if (it == mBitmaps.end()) return IBitmapRef();
  const FakeBitmap& b = *it->second;
  return IBitmapRef(it->second.get(), static_cast<int>(b.GetWidth() / b.GetScale()),
                    static_cast<int>(b.GetHeight() / b.GetScale()), frames, horizontal, name);
}

APIBitmap* RecordingGraphics::BackendBitmapFromBytes(const char* name, const void*, int, float)
{
  const auto it = mBitmaps.find(name ? name : "");
  return it == mBitmaps.end() ? nullptr : it->second.get();
}

std::unique_ptr<APIBitmap> RecordingGraphics::BackendBitmapFromLocation(const char*, float, int,
                                                                        const char*)
{
  return nullptr;
}

std::unique_ptr<APIBitmap> RecordingGraphics::CreateLayerSurface(int widthPixels, int heightPixels,
                                                                 float scale, float)
{
  return std::make_unique<FakeBitmap>(widthPixels, heightPixels, scale);
}

bool RecordingGraphics::RegisterRendererFont(const char*, PlatformFont&)
{
  return true;
}

float RecordingGraphics::BackendMeasureText(const ITextStyle& style, const char* text,
                                            IRect& bounds)
{
  const float charWidth = mCharWidth >= 0.f ? mCharWidth : 0.5f * style.mSize;
  const float w = charWidth * static_cast<float>(std::strlen(text));
  const float h = style.mSize;
  float x = bounds.L;
  if (style.mAlign == EAlign::Center) x = bounds.MW() - 0.5f * w;
  if (style.mAlign == EAlign::Far) x = bounds.R - w;
  float y = bounds.T;
  if (style.mVAlign == EVAlign::Middle) y = bounds.MH() - 0.5f * h;
  if (style.mVAlign == EVAlign::Bottom) y = bounds.B - h;
  bounds = IRect(x, y, x + w, y + h);
  return w;
}

void RecordingGraphics::BackendDrawText(const ITextStyle& style, const char* text,
                                        const IRect& bounds, const IBlendSpec* blend)
{
  DrawOp op{DrawOp::Kind::Text, bounds, style.mFGColor};
  op.text = text;
  op.hasBlend = blend != nullptr;
  if (blend) op.blend = *blend;
  mOps.push_back(op);
}

} // namespace igraphics::test

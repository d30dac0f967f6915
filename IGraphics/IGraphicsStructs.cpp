#include "IGraphics/IGraphicsStructs.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace igraphics
{

namespace
{

void CopyText(char* dest, std::size_t capacity, const char* text)
{
  std::size_t n = text ? std::strlen(text) : 0;
  if (n >= capacity) n = capacity - 1;
  if (n > 0) std::memcpy(dest, text, n);
  dest[n] = '\0';
}

} // namespace

ITextStyle::ITextStyle(float size, const IColor& colour, const char* font, EAlign align,
                       EVAlign valign, float angle)
    : mSize(size), mFGColor(colour), mAngle(angle), mAlign(align), mVAlign(valign)
{
  if (font) CopyText(mFont, sizeof(mFont), font);
}

IKeyPress::IKeyPress(const char* text, int vk, bool shift, bool ctrl, bool alt)
    : VK(vk), S(shift), C(ctrl), A(alt)
{
  CopyText(utf8, sizeof(utf8), text);
}

IMatrix& IMatrix::Transform(const IMatrix& a)
{
  const IMatrix m = *this;
  mXX = m.mXX * a.mXX + m.mXY * a.mYX;
  mXY = m.mXX * a.mXY + m.mXY * a.mYY;
  mTX = m.mXX * a.mTX + m.mXY * a.mTY + m.mTX;
  mYX = m.mYX * a.mXX + m.mYY * a.mYX;
  mYY = m.mYX * a.mXY + m.mYY * a.mYY;
  mTY = m.mYX * a.mTX + m.mYY * a.mTY + m.mTY;
  return *this;
}

IMatrix& IMatrix::Rotate(double degrees)
{
  const double r = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(r);
  const double s = std::sin(r);
  return Transform(IMatrix(c, s, -s, c, 0.0, 0.0));
}

void IMatrix::TransformPoint(double& x, double& y) const
{
  const double x0 = x;
  x = mXX * x0 + mXY * y + mTX;
  y = mYX * x0 + mYY * y + mTY;
}

bool IMatrix::Invert(IMatrix& out) const
{
  const double det = mXX * mYY - mXY * mYX;
  if (det == 0.0 || !std::isfinite(det)) return false;
  out = IMatrix(mYY / det, -mYX / det, -mXY / det, mXX / det, (mXY * mTY - mYY * mTX) / det,
                (mYX * mTX - mXX * mTY) / det);
  return true;
}

IPatternSpec::IPatternSpec(const IColor& colour)
{
  AddStop(colour, 0.f);
}

void IPatternSpec::AddStop(const IColor& colour, float offset)
{
  if (mNStops >= kMaxColorStops) return;
  mStops[mNStops].mColor = colour;
  mStops[mNStops].mOffset = offset;
  ++mNStops;
}

} // namespace igraphics

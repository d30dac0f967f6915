#pragma once

// The plain records the graphics engine passes around. Coordinates are editor
// points; control values are normalised to 0..1.

#include "IGraphics/IRect.h"

#include <cstdint>
#include <functional>

namespace igraphics
{

class IControl;

// Run after a user-initiated value change, and at the end of an animation.
using ActionFunction = std::function<void(IControl*)>;
// Run every frame while set; ends itself by calling OnAnimationEnd.
using AnimationFunction = std::function<void(IControl*)>;

struct IColor
{
  int A = 255;
  int R = 0;
  int G = 0;
  int B = 0;

  constexpr IColor() = default;
  constexpr IColor(int a, int r, int g, int b) : A(a), R(r), G(g), B(b) {}
  constexpr bool operator==(const IColor&) const = default;
};

inline constexpr IColor COLOR_BLACK{255, 0, 0, 0};
inline constexpr IColor COLOR_WHITE{255, 255, 255, 255};
inline constexpr IColor COLOR_RED{255, 255, 0, 0};
inline constexpr IColor COLOR_GREEN{255, 0, 255, 0};
inline constexpr IColor COLOR_BLUE{255, 0, 0, 255};
inline constexpr IColor COLOR_YELLOW{255, 255, 255, 0};
inline constexpr IColor COLOR_TRANSPARENT{0, 0, 0, 0};

enum class EAlign : int
{
  Near = 0,
  Center = 1,
  Far = 2
};

enum class EVAlign : int
{
  Top = 0,
  Middle = 1,
  Bottom = 2
};

inline constexpr int kFontIdBytes = 64; // 63 characters and the terminator

// How text is drawn, and the colours of a text entry opened with this style.
struct ITextStyle
{
  char mFont[kFontIdBytes] = "Roboto-Regular";
  float mSize = 14.f;
  IColor mFGColor = COLOR_BLACK;
  IColor mTextEntryBGColor = COLOR_WHITE;
  IColor mTextEntryFGColor = COLOR_BLACK;
  float mAngle = 0.f; // degrees, 0 = horizontal
  EAlign mAlign = EAlign::Center;
  EVAlign mVAlign = EVAlign::Middle;

  ITextStyle() = default;
  // A null or over-long font id keeps as much as fits.
  ITextStyle(float size, const IColor& colour = COLOR_BLACK, const char* font = nullptr,
             EAlign align = EAlign::Center, EVAlign valign = EVAlign::Middle, float angle = 0.f);
};

using IText = ITextStyle;

enum class EBlend : int
{
  Default = 0, // source over
  SrcIn = 1,
  SrcOut = 2,
  SrcAtop = 3,
  DstOver = 4,
  DstIn = 5,
  DstOut = 6,
  DstAtop = 7,
  Add = 8,
  XOR = 9
};

struct IBlendSpec
{
  EBlend mMethod = EBlend::Default;
  float mWeight = 1.f; // 0..1, multiplies every colour's alpha

  constexpr IBlendSpec() = default;
  constexpr IBlendSpec(EBlend method, float weight) : mMethod(method), mWeight(weight) {}
  constexpr bool operator==(const IBlendSpec&) const = default;
};

using IBlend = IBlendSpec;

struct IMouseState
{
  bool L = false;
  bool R = false;
  bool S = false;           // shift
  bool C = false;           // control
  bool A = false;           // alt
  std::int64_t touchID = 0; // 0 for the mouse
  float touchRadius = 0.f;

  bool IsTouch() const { return touchID != 0; }
};

using IMouseMod = IMouseState;

struct IMouseEvent
{
  float x = 0.f;
  float y = 0.f;
  float dX = 0.f; // movement since the previous event; 0 except in drags
  float dY = 0.f;
  IMouseState ms;
};

inline constexpr int kKeyTextBytes = 5; // 4 bytes of UTF-8 and the terminator

struct IKeyPress
{
  int VK = 0;
  char utf8[kKeyTextBytes] = {};
  bool S = false;
  bool C = false;
  bool A = false;

  IKeyPress() = default;
  // Text longer than 4 bytes is cut.
  IKeyPress(const char* text, int vk, bool shift = false, bool ctrl = false, bool alt = false);
};

enum class EGestureType : int
{
  Unknown = -1,
  DoubleTap = 0,
  TripleTap,
  LongPress1,
  LongPress2,
  SwipeLeft,
  SwipeRight,
  SwipeUp,
  SwipeDown,
  Pinch,
  Rotate
};

enum class EGestureState : int
{
  Unknown = 0,
  Began,
  InProcess,
  Ended
};

struct IGestureEvent
{
  float x = 0.f;
  float y = 0.f;
  float scale = 0.f;
  float velocity = 0.f;
  float angle = 0.f;
  EGestureState state = EGestureState::Unknown;
  EGestureType type = EGestureType::Unknown;
};

using GestureFunction = std::function<void(IControl*, const IGestureEvent&)>;

enum class Orientation : int
{
  Vertical = 0,
  Horizontal = 1
};

using EDirection = Orientation;

// Shapes of the platform cursor.
enum class CursorShape : int
{
  ARROW = 0,
  IBEAM,
  WAIT,
  CROSS,
  UPARROW,
  SIZENWSE,
  SIZENESW,
  SIZEWE,
  SIZENS,
  SIZEALL,
  INO,
  HAND,
  APPSTARTING,
  HELP
};

// A 2x3 affine transform: x' = xx·x + xy·y + tx, y' = yx·x + yy·y + ty.
struct IMatrix
{
  double mXX = 1.0;
  double mYX = 0.0;
  double mXY = 0.0;
  double mYY = 1.0;
  double mTX = 0.0;
  double mTY = 0.0;

  constexpr IMatrix() = default;
  constexpr IMatrix(double xx, double yx, double xy, double yy, double tx, double ty)
      : mXX(xx), mYX(yx), mXY(xy), mYY(yy), mTX(tx), mTY(ty)
  {
  }
  constexpr bool operator==(const IMatrix&) const = default;

  // Applies `rhs` first, then this transform.
  IMatrix& Transform(const IMatrix& rhs);
  IMatrix& Translate(double x, double y) { return Transform(IMatrix(1, 0, 0, 1, x, y)); }
  IMatrix& Scale(double x, double y) { return Transform(IMatrix(x, 0, 0, y, 0, 0)); }
  IMatrix& Rotate(double degrees);
  void TransformPoint(double& x, double& y) const;
  // False, leaving `out` unchanged, when the matrix is singular.
  bool Invert(IMatrix& out) const;
};

// What the back end is asked to draw with ---------------------------------------

enum class EPatternType : int
{
  Solid = 0,
  Linear = 1,
  Radial = 2
};

enum class EPatternExtend : int
{
  None = 0,
  Pad,
  Reflect,
  Repeat
};

struct IColorStop
{
  IColor mColor;
  float mOffset = 0.f;
};

inline constexpr int kMaxColorStops = 16;

struct IPatternSpec
{
  EPatternType mType = EPatternType::Solid;
  EPatternExtend mExtend = EPatternExtend::Pad;
  IColorStop mStops[kMaxColorStops] = {};
  int mNStops = 0;
  IMatrix mTransform;

  IPatternSpec() = default;
  // A solid colour.
  IPatternSpec(const IColor& colour);
  // Ignored once kMaxColorStops stops are held.
  void AddStop(const IColor& colour, float offset);
  const IColorStop& GetStop(int i) const { return mStops[i]; }
};

using IPattern = IPatternSpec;

enum class ELineCap : int
{
  Butt = 0,
  Round,
  Square
};

enum class ELineJoin : int
{
  Miter = 0,
  Round,
  Bevel
};

enum class EFillRule : int
{
  Winding = 0,
  EvenOdd = 1
};

struct IStrokeSpec
{
  float mMiterLimit = 10.f;
  bool mPreserve = false;
  ELineCap mCapOption = ELineCap::Butt;
  ELineJoin mJoinOption = ELineJoin::Miter;
  float mDashLength = 0.f; // 0 solid; back ends that draw no dashes ignore it
};

struct IFillSpec
{
  EFillRule mFillRule = EFillRule::Winding;
  bool mPreserve = false;
};

struct IShadowSpec
{
  IPatternSpec mPattern = IPatternSpec(COLOR_BLACK);
  float mBlurSize = 0.f;
  float mXOffset = 0.f;
  float mYOffset = 0.f;
  float mOpacity = 1.f;
  bool mDrawForeground = true;
};

} // namespace igraphics

#pragma once

#include <cairo.h>

#include <string>
#include <string_view>

namespace brasmire::skin
{

enum class TextAlign
{
  Left,
  Centre,
  Right
};

// One TrueType file opened through FreeType, so the pictures never depend on which fonts
// the machine's font configuration would pick.
class Typeface
{
public:
  // Check Valid() afterwards; error explains a failure.
  explicit Typeface(const std::string& path);
  ~Typeface();
  Typeface(const Typeface&) = delete;
  Typeface& operator=(const Typeface&) = delete;

  bool Valid() const { return mFace != nullptr; }
  const std::string& Error() const { return mError; }

  // Fills text with the current source; x is the left edge, centre or right edge.
  void Draw(cairo_t* cr, std::string_view utf8, double sizePoints, double x, double baseline,
            TextAlign align, double trackingPoints = 0.0) const;

  // Adds the text outline to the current path instead of filling it (for embossing).
  void AddPath(cairo_t* cr, std::string_view utf8, double sizePoints, double x, double baseline,
               TextAlign align, double trackingPoints = 0.0) const;

private:
  void Select(cairo_t* cr, double sizePoints) const;
  template <typename Emit>
  void Place(cairo_t* cr, std::string_view utf8, double sizePoints, double x, double baseline,
             TextAlign align, double trackingPoints, Emit emit) const;

  cairo_font_face_t* mFace = nullptr;
  std::string mError;
};

} // namespace brasmire::skin

#include "Typeface.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace brasmire::skin
{

namespace
{

// The FreeType objects must live as long as cairo holds the font face (it caches faces),
// so cairo owns them and releases them through this record.
struct FreeTypeHandles
{
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

cairo_user_data_key_t gFreeTypeKey;

void ReleaseFreeType(void* data)
{
  auto* handles = static_cast<FreeTypeHandles*>(data);
  FT_Done_Face(handles->face);
  FT_Done_FreeType(handles->library);
  delete handles;
}

} // namespace

Typeface::Typeface(const std::string& path)
{
  auto* handles = new FreeTypeHandles;
  if (FT_Init_FreeType(&handles->library) != 0)
  {
    delete handles;
    mError = "cannot start FreeType";
    return;
  }
  if (FT_New_Face(handles->library, path.c_str(), 0, &handles->face) != 0)
  {
    FT_Done_FreeType(handles->library);
    delete handles;
    mError = "cannot open font " + path;
    return;
  }
  mFace = cairo_ft_font_face_create_for_ft_face(handles->face, 0);
  if (cairo_font_face_set_user_data(mFace, &gFreeTypeKey, handles, ReleaseFreeType) !=
      CAIRO_STATUS_SUCCESS)
  {
    cairo_font_face_destroy(mFace);
    mFace = nullptr;
    ReleaseFreeType(handles);
    mError = "cannot attach font " + path;
  }
}

Typeface::~Typeface()
{
  if (mFace) cairo_font_face_destroy(mFace);
}

void Typeface::Select(cairo_t* cr, double sizePoints) const
{
  cairo_set_font_face(cr, mFace);
  cairo_set_font_size(cr, sizePoints);
  // Unhinted outlines and unhinted metrics: the same shapes at any scale and on any machine.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

template <typename Emit>
void Typeface::Place(cairo_t* cr, std::string_view utf8, double sizePoints, double x,
                     double baseline, TextAlign align, double trackingPoints, Emit emit) const
{
  if (!mFace || utf8.empty()) return;
  Select(cr, sizePoints);
  cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
  cairo_glyph_t* glyphs = nullptr;
  int count = 0;
  if (cairo_scaled_font_text_to_glyphs(font, 0, 0, utf8.data(), static_cast<int>(utf8.size()),
                                       &glyphs, &count, nullptr, nullptr,
                                       nullptr) != CAIRO_STATUS_SUCCESS)
    return;
  for (int i = 0; i < count; ++i)
    glyphs[i].x += trackingPoints * i;
  cairo_text_extents_t extents;
  cairo_glyph_extents(cr, glyphs, count, &extents);
  // The advance of the last glyph ends the text; tracking after it would push centred text left.
  const double width = extents.x_advance;
  const double left = align == TextAlign::Left     ? x
                      : align == TextAlign::Centre ? x - width / 2
                                                   : x - width;
  for (int i = 0; i < count; ++i)
  {
    glyphs[i].x += left;
    glyphs[i].y += baseline;
  }
  emit(glyphs, count);
  cairo_glyph_free(glyphs);
}

void Typeface::Draw(cairo_t* cr, std::string_view utf8, double sizePoints, double x,
                    double baseline, TextAlign align, double trackingPoints) const
{
  Place(cr, utf8, sizePoints, x, baseline, align, trackingPoints,
        [cr](const cairo_glyph_t* glyphs, int count) { cairo_show_glyphs(cr, glyphs, count); });
}

void Typeface::AddPath(cairo_t* cr, std::string_view utf8, double sizePoints, double x,
                       double baseline, TextAlign align, double trackingPoints) const
{
  Place(cr, utf8, sizePoints, x, baseline, align, trackingPoints,
        [cr](const cairo_glyph_t* glyphs, int count) { cairo_glyph_path(cr, glyphs, count); });
}

} // namespace brasmire::skin

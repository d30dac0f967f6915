#pragma once

#include "support/RecordingGraphics.h"

#include <map>
#include <string>
#include <vector>

namespace igraphics::test
{

// The recording back end with the graphics core's own bitmap and font loading: FetchBitmap and
// LoadFont run the core's code against the product's resources (this program's module
// resources on Windows, the embedded table elsewhere). A picture "loads" by reading its PNG
// header for the pixel size (full decoding of the 14,152-row knob strips would cost the tests
// seconds and tell nothing more); each load, where a back end would decode, is counted by
// location. Records the fonts handed to the renderer.
class ResourceGraphics : public RecordingGraphics
{
public:
  ResourceGraphics(iplug::IGEditorDelegate& dlg, int w, int h, int fps = 60, float drawScale = 1.f);

  // How often the picture at `location` (a module resource name or a path) was loaded.
  int LoadCount(const std::string& location) const;
  int TotalLoads() const;
  // Font ids RegisterRendererFont accepted, in order, with the face they came with.
  const std::vector<std::string>& RegisteredFonts() const { return mFonts; }
  const std::vector<FontDataRecord>& RegisteredFontData() const { return mFontData; }

  IBitmapRef FetchBitmap(const char* name, int frames = 1, bool horizontal = false,
                         int targetScale = 0) override;
  bool LoadFont(const char* fontId, const char* fileName) override;
  std::unique_ptr<APIBitmap> BackendBitmapFromLocation(const char* pathOrResource, float scale,
                                                       int location,
                                                       const char* extension) override;
  bool RegisterRendererFont(const char* fontId, PlatformFont& font) override;

private:
  std::map<std::string, int> mLoads;
  std::vector<std::string> mFonts;
  std::vector<FontDataRecord> mFontData;
};

} // namespace igraphics::test

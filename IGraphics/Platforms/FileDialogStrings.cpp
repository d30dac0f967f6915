#include "IGraphics/Platforms/FileDialogStrings.h"

#include "IGraphics/TextConversion.h"

#include <sstream>

namespace igraphics
{

FileDialogStrings::FileDialogStrings(const char* extensions)
{
  std::istringstream words(extensions ? extensions : "");
  std::string extension;
  bool first = true;
  while (words >> extension)
  {
    if (first && extension.size() <= kMaxDefaultExtensionChars) mDefaultExtension = extension;
    const std::string piece = (first ? "*." : ";*.") + extension;
    first = false;
    if (mPattern.size() + piece.size() > kMaxPatternChars) break;
    mPattern += piece;
  }
}

std::u16string FileDialogStrings::FilterList() const
{
  if (mPattern.empty()) return {};
  const std::u16string pattern = Utf8ToUtf16(mPattern);
  std::u16string list = pattern;
  list.push_back(u'\0');
  list += pattern;
  list.push_back(u'\0');
  list.push_back(u'\0');
  return list;
}

std::string FileDialogStrings::DirectoryOf(const std::string& path)
{
  // Drive "X:" then a folder part ending at the last separator.
  if (path.size() < 3 || path[1] != ':') return {};
  const std::size_t lastSeparator = path.find_last_of("\\/");
  if (lastSeparator == std::string::npos || lastSeparator < 2) return {};
  std::string dir = path.substr(0, lastSeparator + 1);
  if (dir.back() == '/') dir.back() = '\\';
  return dir;
}

} // namespace igraphics

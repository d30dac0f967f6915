#pragma once

#include <string>

namespace igraphics
{

// The texts a system file dialog is given and what its answer becomes, UTF-8 here and
// converted at the system call. [any-thread]
class FileDialogStrings
{
public:
  // Limits of the dialog's fixed fields, terminator excluded.
  static constexpr std::size_t kMaxPatternChars = 126;
  static constexpr std::size_t kMaxDefaultExtensionChars = 15;

  // `extensions` separated by spaces ("wav aif"); null or empty for none.
  explicit FileDialogStrings(const char* extensions);

  // "*.wav;*.aif". An extension that would take the pattern past kMaxPatternChars is left
  // out, with those after it, rather than cut into a pattern that matches other files.
  const std::string& Pattern() const { return mPattern; }
  // The first extension ("wav"); empty when there is none or it is longer than
  // kMaxDefaultExtensionChars.
  const std::string& DefaultExtension() const { return mDefaultExtension; }
  // The dialog's filter list: the pattern as description and as pattern, each terminated,
  // and a final terminator; empty (no filter) without a pattern.
  std::u16string FilterList() const;

  // The directory of a chosen path: its drive and folder with the trailing backslash
  // ("C:\x\y.wav" gives "C:\x\"); empty when the path has no drive or no folder part.
  static std::string DirectoryOf(const std::string& path);

private:
  std::string mPattern;
  std::string mDefaultExtension;
};

} // namespace igraphics

#pragma once

#include <string>

namespace plughost
{

// Writes a file under a temporary name in the destination's folder and gives
// it its real name only when everything was written, so a failure never
// leaves a partial file (or the temporary one) behind. [main-thread]
class AtomicFileWriter
{
public:
  explicit AtomicFileWriter(std::string destination);
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  // Removes the temporary file unless Commit succeeded.
  ~AtomicFileWriter();

  // Where to write (UTF-8 path in the destination's folder).
  const std::string& TemporaryPath() const noexcept { return mTemporary; }
  const std::string& Destination() const noexcept { return mDestination; }

  // Renames the temporary file onto the destination, replacing it. False with
  // the reason when that fails; the temporary file is then removed.
  bool Commit(std::string* error);
  // Removes the temporary file now.
  void Discard() noexcept;

  // Writes bytes through a temporary file and renames it: the whole file or nothing.
  static bool WriteWhole(const std::string& destination, const void* data, std::size_t size,
                         std::string* error);

private:
  std::string mDestination;
  std::string mTemporary;
  bool mCommitted = false;
};

} // namespace plughost

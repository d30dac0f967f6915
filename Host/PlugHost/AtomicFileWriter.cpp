#include "Host/PlugHost/AtomicFileWriter.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace plughost
{

namespace
{
std::filesystem::path PathOf(const std::string& utf8)
{
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

long ProcessId()
{
#ifdef _WIN32
  return static_cast<long>(_getpid());
#else
  return static_cast<long>(getpid());
#endif
}
} // namespace

AtomicFileWriter::AtomicFileWriter(std::string destination) : mDestination(std::move(destination))
{
  // A hidden name next to the destination: the rename stays within one file system.
  static std::atomic<int> counter{0};
  const std::filesystem::path target = PathOf(mDestination);
  const std::string name = target.filename().string();
  const std::string unique = std::to_string(ProcessId()) + "-" + std::to_string(counter++);
  const std::filesystem::path temporary =
      target.parent_path() / ("." + name + ".plughost-" + unique + ".tmp");
  const std::u8string text = temporary.u8string();
  mTemporary.assign(text.begin(), text.end());
}

AtomicFileWriter::~AtomicFileWriter()
{
  if (!mCommitted) Discard();
}

void AtomicFileWriter::Discard() noexcept
{
  std::error_code ignored;
  std::filesystem::remove(PathOf(mTemporary), ignored);
}

bool AtomicFileWriter::Commit(std::string* error)
{
  std::error_code code;
  std::filesystem::rename(PathOf(mTemporary), PathOf(mDestination), code);
  if (code)
  {
    *error = "cannot write " + mDestination + ": " + code.message();
    Discard();
    return false;
  }
  mCommitted = true;
  return true;
}

bool AtomicFileWriter::WriteWhole(const std::string& destination, const void* data,
                                  std::size_t size, std::string* error)
{
  AtomicFileWriter writer(destination);
#ifdef _WIN32
  std::FILE* file = _wfopen(PathOf(writer.TemporaryPath()).c_str(), L"wb");
#else
  std::FILE* file = std::fopen(writer.TemporaryPath().c_str(), "wb");
#endif
  if (file == nullptr)
  {
    *error = "cannot write " + destination + ": the folder is missing or not writable";
    return false;
  }
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed)
  {
    *error = "cannot write " + destination + ": writing failed (disk full or file too large?)";
    return false;
  }
  return writer.Commit(error);
}

} // namespace plughost

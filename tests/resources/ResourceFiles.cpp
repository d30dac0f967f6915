#include "ResourceFiles.h"

#include <fstream>
#include <iterator>

std::string ResourcePath(const std::string& file)
{
#ifdef _WIN32
  // Wine maps the Unix root to drive Z:.
  return std::string("Z:") + BRASMIRE_RESOURCE_DIR + "/" + file;
#else
  return std::string(BRASMIRE_RESOURCE_DIR) + "/" + file;
#endif
}

std::vector<unsigned char> ReadFileBytes(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
}

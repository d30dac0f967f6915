#pragma once

#include <string>
#include <vector>

// The product's resources as the editor asks for them: type, stored name (upper case, the
// double quotes part of the name) and the file in Examples/Brasmire/resources.
struct ExpectedResource
{
  const char* type;
  const char* storedName;
  const char* file;
};

inline constexpr ExpectedResource kExpectedResources[] = {
    {"PNG", "\"BG@2X.PNG\"", "BG@2X.PNG"},
    {"PNG", "\"BKNOB@2X.PNG\"", "BKNOB@2X.PNG"},
    {"PNG", "\"SKNOB@2X.PNG\"", "SKNOB@2X.PNG"},
    {"PNG", "\"BY@2X.PNG\"", "BY@2X.PNG"},
    {"PNG", "\"OVER@2X.PNG\"", "OVER@2X.PNG"},
    {"TTF", "\"ROBOTO-REGULAR.TTF\"", "ROBOTO-REGULAR.TTF"},
};

// Full path of a file in the resource folder (reachable from Wine through drive Z:).
std::string ResourcePath(const std::string& file);

// The file's bytes; empty when it cannot be read.
std::vector<unsigned char> ReadFileBytes(const std::string& path);

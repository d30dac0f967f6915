#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace igraphics
{

// Where a resource was found.
enum class EResourceLocation
{
  kNotFound = 0,
  kAbsolutePath = 1, // a file on disk; the result is its path
  kWinBinary = 2     // a resource of the module; the result is its stored name
};

// Module resource names are stored upper case inside double quotes. A module handle is the
// Windows module handle, or elsewhere a `const EmbeddedResourceTable*` (EmbeddedResource.h);
// a null handle has no resources.

// Finds `name` of file type `type` ("png", "ttf"; any case) among the module's resources,
// without regard to case, and else as a file path. For a module resource `result` is the
// lower-cased name in double quotes (at most kMaxResourceResult characters; longer names are
// not found), which ReadModuleResource accepts. [any-thread]
EResourceLocation ResolveResource(const char* name, const char* type, std::string& result,
                                  void* module);

inline constexpr std::size_t kMaxResourceResult = 260;

// The bytes of the module resource `storedName` (with its quotes; any case) of file type
// `type`; empty when missing or shorter than 8 bytes. The bytes live as long as the module.
// [any-thread]
std::span<const std::uint8_t> ReadModuleResource(const char* storedName, const char* type,
                                                 void* module);

// The folder of the module's file, with its trailing separator; empty when unknown. Paths of
// any length. [any-thread]
std::string GetModulePath(void* module);

// The name of `name`'s variant for `scale`: the name itself at 1, else "@<scale>x" inserted
// before the extension ("BKNOB.png" at 2 gives "BKNOB@2x.png"; "knob" gives "knob@2x").
// [any-thread]
std::string ScaledImageName(std::string_view name, int scale);

// The scale tried after `scale` when looking for `targetScale`: from the target 3 comes next
// (unless the target is 3), from target + 1 the one below the target, otherwise one less;
// 0 ends the search. Target 1 tries 1, 3, 2; target 2 tries 2, 3, 1; target 4 tries 4, 3, 2, 1.
// [any-thread]
int NextSearchScale(int targetScale, int scale);

// Looks for the variant of `name` made closest to `targetScale` (search order above);
// `foundScale` is the scale of the variant found. [any-thread]
EResourceLocation FindScaledImage(const char* name, const char* type, std::string& result,
                                  int targetScale, int& foundScale, void* module);

} // namespace igraphics

#pragma once
// The fixed-width trailer at the end of a package: seven settings, the directory position, the
// entry count and the product name, each on its own CR LF line.
#include "base/Result.h"
#include "core/files/BinaryFile.h"
#include "core/settings/Settings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace gf {

inline constexpr std::string_view kPackageMark = "Glimmerframe";
inline constexpr std::uint64_t kTrailerSize = 104;

struct PackageTrailer {
    std::int32_t ImageInterval = 0, FullScreen = 0, ImagePositionRandom = 0, ImageOrderRandom = 0,
                 MouseSensitivity = 0, IgnoreMouse = 0, DissolveDelay = 0;
    std::int64_t directoryPosition = 0; // 1-based
    std::int64_t count = 0;
};

// The text field that starts 14 bytes before the end (the package mark in a package).
Result<std::string> ReadTrailerMark(const BinaryFile& file);

// True when the file ends with the package mark (exact case).
bool IsPackage(FileSystem& files, std::string_view path);

// The whole trailer, every number checked; a damaged trailer is an error.
Result<PackageTrailer> ReadPackageTrailer(const BinaryFile& file);

// The seven settings of the trailer; when it cannot be read, the first group's defaults.
void ReadSCRConfig(FileSystem& files, std::string_view packagePath, Settings& settings);

// Renders the 104-byte trailer.
std::string FormatPackageTrailer(const PackageTrailer& trailer);

} // namespace gf

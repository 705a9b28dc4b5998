#pragma once
// The package directory: the sound mode line and one nine-line record per entry, read with
// every number checked against the file it came from.
#include "base/Result.h"
#include "core/files/BinaryFile.h"
#include "core/package/PackageTrailer.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// Entries a running package takes; records past these are not read.
inline constexpr std::size_t kMaxPackageEntries = 501;
// Longest directory line accepted; longer ones mean a damaged package.
inline constexpr std::size_t kMaxDirectoryLine = 32 * 1024;

struct PackageEntry {
    std::int64_t pictureStart = 0, pictureEnd = 0; // 1-based region [start, end); 0 for none
    std::string dissolve;
    std::string comment; // line breaks as "^"
    std::string foreground;
    std::string background;
    std::int64_t soundStart = 0, soundEnd = 0;
    std::string soundExtension; // as stored, without blanks

    bool hasPicture() const { return pictureStart != 0; }
    bool hasSound() const { return soundStart != 0; }
    bool operator==(const PackageEntry&) const = default;
};

struct PackageDirectory {
    PackageTrailer trailer;
    std::int16_t soundMode = 0;
    std::vector<PackageEntry> entries;
};

// " 495616 ", " 0 ", "-5 ".
std::string FormatSpacedNumber(std::int64_t value);

// The first three characters of a sound file's extension, padded with blanks to three.
std::string FormatSoundExtension(std::string_view extension);

// The directory's text: the sound mode line, then nine CR LF lines per entry.
std::string FormatPackageDirectory(int soundMode, std::span<const PackageEntry> entries);

// Trailer and directory; an error says that and why the package is damaged.
Result<PackageDirectory> ReadPackageDirectory(const BinaryFile& file);

// The letters and digits of a stored extension, safe in a file name; "snd" when none remain.
std::string SafeSoundExtension(std::string_view stored);

} // namespace gf

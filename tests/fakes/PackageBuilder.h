#pragma once
// Lays out package files byte by byte for reader tests: program bytes, padded item regions,
// directory and trailer.
#include "core/package/PackageDirectory.h"

#include <string>
#include <vector>

namespace gf::test {

struct PackageItem {
    std::string picture; // bytes; empty: no picture
    std::string sound;   // bytes; empty: no sound
    std::string soundExtension;
    std::string dissolve, comment, foreground = "White", background = "Black";
};

struct BuiltPackage {
    std::string bytes;
    std::vector<PackageEntry> entries;
    std::int64_t directoryPosition = 0;
};

// Each item region is padded with zeros to whole 1025-byte blocks.
BuiltPackage BuildPackage(const std::string& program, const std::vector<PackageItem>& items,
                          int soundMode, PackageTrailer settings = {});

} // namespace gf::test

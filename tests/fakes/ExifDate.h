#pragma once
// A JPEG with an EXIF block that dates the picture, as cameras write it: the first directory
// points to the EXIF directory, whose DateTimeOriginal is `date` ("YYYY:MM:DD HH:MM:SS").
#include <string>
#include <string_view>

namespace gf::test {

inline std::string WithExifDate(const std::string& jpeg, std::string_view date) {
    const std::string tiff = std::string("II*\0\x08\0\0\0\x01\0\x69\x87\x04\0\x01\0\0\0\x1A\0\0\0"
                                         "\0\0\0\0\x01\0\x03\x90\x02\0\x14\0\0\0\x2C\0\0\0\0\0\0\0",
                                         44) +
                             std::string(date) + std::string(1, '\0');
    const std::string block = std::string("Exif\0\0", 6) + tiff;
    const std::size_t n = block.size() + 2;
    return jpeg.substr(0, 2) + "\xFF\xE1" + char(n >> 8) + char(n & 0xFF) + block + jpeg.substr(2);
}

} // namespace gf::test

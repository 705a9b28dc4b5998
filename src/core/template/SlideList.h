#pragma once
// The show's slide list: picture names, the 501-entry attribute table, the sound mode and the
// asynchronous sound list. Built once per show from a folder, a template or a package.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gf {

inline constexpr std::size_t kAttributeCount = 501; // slide indices 0 to 500

struct SlideAttributes {
    std::string comment;    // each line followed by CR LF
    std::string dissolve;   // empty: the DissolveType setting applies
    std::string background; // named colour
    std::string foreground; // named colour
    std::string sound;      // per slide, or the asynchronous list in sound mode 3
    bool operator==(const SlideAttributes&) const = default;
};

struct SlideList {
    std::vector<std::string> images;
    std::array<SlideAttributes, kAttributeCount> attributes{};
    std::int16_t soundMode = 0;          // 0 none, 1 and 2 synchronous, 3 asynchronous list
    std::int16_t asyncSoundCounter = -1; // index of the last entry of the asynchronous list

    // Attributes of slide i; slides past the table read as empty.
    const SlideAttributes& at(std::size_t i) const {
        static const SlideAttributes empty;
        return i < kAttributeCount ? attributes[i] : empty;
    }
};

} // namespace gf

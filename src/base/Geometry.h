#pragma once
// A rectangle in twips (1440 to the inch), as the show places and paints its pictures.
#include <cstdint>

namespace gf {

struct TwipRect {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipRect&) const = default;
};

} // namespace gf

#include "core/picture/PixelOrientation.h"

#include <gtest/gtest.h>
#include <vector>

namespace gf {
namespace {

// 1 2 3
// 4 5 6, turned by each orientation.
TEST(PixelOrientation, EachOrientationTurnsThePictureUpright) {
    const std::vector<std::uint32_t> stored = {1, 2, 3, 4, 5, 6};
    const std::vector<std::vector<std::uint32_t>> upright = {
        {1, 2, 3, 4, 5, 6}, // 0: none said, as stored
        {1, 2, 3, 4, 5, 6}, {3, 2, 1, 6, 5, 4}, {6, 5, 4, 3, 2, 1},
        {4, 5, 6, 1, 2, 3}, {1, 4, 2, 5, 3, 6}, {4, 1, 5, 2, 6, 3},
        {6, 3, 5, 2, 4, 1}, {3, 6, 2, 5, 1, 4}, {1, 2, 3, 4, 5, 6}, // 9: not an orientation
    };
    for (int o = 0; o <= 9; ++o) {
        std::vector<std::uint32_t> out(6);
        OrientPixels(stored, 3, 2, o, out);
        EXPECT_EQ(out, upright[std::size_t(o)]) << "orientation " << o;
    }
}

TEST(PixelOrientation, ShortBuffersAndEmptyPicturesAreLeftAlone) {
    const std::vector<std::uint32_t> stored = {1, 2, 3, 4, 5, 6};
    std::vector<std::uint32_t> out(6, 0);
    OrientPixels(std::span(stored).first(5), 3, 2, 6, out);
    OrientPixels(stored, 3, 2, 6, std::span(out).first(5));
    OrientPixels(stored, 0, 2, 6, out);
    OrientPixels(stored, 3, -1, 6, out);
    EXPECT_EQ(out, std::vector<std::uint32_t>(6, 0));
}

} // namespace
} // namespace gf

#pragma once
// The one list of picture file types: what folder mode shows, what the settings dialog lists
// and what the entry editor offers.
#include "platform/PictureFormats.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// The patterns folder mode lists, in the order it lists them (all GIF files first, and so on).
inline constexpr std::array<std::string_view, 6> kFolderPicturePatterns = {
    "*.gif", "*.jpe", "*.jpg", "*.bmp", "*.wmf", "*.jpeg"};

// The folder patterns, then those of `platformExtras` (types the platform's picture loader
// also reads, e.g. "*.png") that are not among them yet, in their order.
std::vector<std::string> PicturePatterns(std::span<const std::string_view> platformExtras = {});

// The folder patterns, then "*." + every extension the platform's loader reads that they lack.
std::vector<std::string> PicturePatterns(const PictureFormats& platform);

// The types for people: "GIF, JPE, JPG, BMP, WMF, JPEG and PNG".
std::string PictureTypeNames(std::span<const std::string> patterns);

// The patterns as one ";"-separated list, as the file lists take them.
std::string JoinFilePatterns(std::span<const std::string> patterns);

} // namespace gf

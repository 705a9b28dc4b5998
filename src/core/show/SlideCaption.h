#pragma once
// What a folder show writes under a picture that has no comment of its own, as the Caption
// setting asks: nothing, the file's name, or the date the picture was taken.
#include "platform/FileSystem.h"
#include "platform/ShowClock.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace gf {

enum class CaptionKind : std::int16_t { None = 0, FileName = 1, DateTaken = 2 };

// The EXIF block sits at the start of a photo: this much of the file is read for its date.
inline constexpr std::uint64_t kCaptionHeadBytes = 256 * 1024;

// The caption of the picture at `path`: its name without the folder, or the date it was taken
// (its EXIF date, else the day the file was last changed) as the user's locale writes it; empty
// when there is none to give or the setting is out of range.
std::string SlideCaption(std::int16_t caption, FileSystem& files, const ShowClock& clock,
                         std::string_view path);

} // namespace gf

#pragma once
// What a folder show writes under a picture that has no comment of its own, as the Caption
// setting asks: nothing, the file's name, or the date the picture was taken.
#include "platform/ShowClock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gf {

enum class CaptionKind : std::int16_t { None = 0, FileName = 1, DateTaken = 2 };

// The caption of the picture at `path`: its name without the folder, or the date it was taken
// (`taken`, its EXIF date, else the day the file last changed, `changedNs` since 1970) as the
// user's locale writes it; empty for None and for values out of range.
std::string SlideCaption(std::int16_t caption, std::string_view path,
                         const std::optional<CivilTime>& taken, std::int64_t changedNs,
                         const ShowClock& clock);

} // namespace gf

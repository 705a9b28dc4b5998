#include "core/show/SlideCaption.h"

#include "core/files/PathParser.h"

namespace gf {

std::string SlideCaption(std::int16_t caption, std::string_view path,
                         const std::optional<CivilTime>& taken, std::int64_t changedNs,
                         const ShowClock& clock) {
    switch (CaptionKind(caption)) {
    case CaptionKind::FileName:
        return PathParser(path).FileName();
    case CaptionKind::DateTaken:
        return clock.longDate(taken ? *taken : clock.localTime(changedNs));
    case CaptionKind::None:
        break;
    }
    return {};
}

} // namespace gf

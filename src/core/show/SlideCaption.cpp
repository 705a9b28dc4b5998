#include "core/show/SlideCaption.h"

#include "core/files/PathParser.h"
#include "core/picture/PictureFile.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace gf {

namespace {
std::optional<CivilTime> DateTaken(FileSystem& files, std::string_view path) {
    auto reader = files.openForReading(path);
    if (!reader)
        return std::nullopt;
    std::vector<std::byte> head(std::size_t(std::min((*reader)->size(), kCaptionHeadBytes)));
    if (!(*reader)->readAt(0, head))
        return std::nullopt;
    return ExifDateTaken(head);
}
} // namespace

std::string SlideCaption(std::int16_t caption, FileSystem& files, const ShowClock& clock,
                         std::string_view path) {
    switch (CaptionKind(caption)) {
    case CaptionKind::FileName:
        return PathParser(path).FileName();
    case CaptionKind::DateTaken: {
        if (const auto taken = DateTaken(files, path))
            return clock.longDate(*taken);
        const auto info = files.info(path);
        return info.kind == FileKind::File ? clock.longDate(clock.localTime(info.modifiedNs))
                                           : std::string();
    }
    case CaptionKind::None:
        break;
    }
    return {};
}

} // namespace gf

// The player's template reading: decoding, comma-delimited items and the slide list; and every
// slide's comment cut to a small label, as the show cuts it to the screen.
#include "core/show/CommentFit.h"
#include "core/template/SlideListLoader.h"
#include "core/text/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// Characters of uneven widths, some of none at all.
std::int32_t Width(std::string_view text) {
    std::int32_t w = 0;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if ((b & 0xC0) != 0x80)
            w += b % 5 == 0 ? 0 : 10 * (b % 7 + 1);
    }
    return w;
}

// The label's promise: valid text, no more lines than fit, none wider than the room (every
// character here is narrower than it).
void CheckFitted(const std::string& comment) {
    constexpr gf::CommentRoom kRoom{300, 5};
    const auto shown = gf::FitComment(comment, true, kRoom, Width);
    if (!gf::IsValidUtf8(shown))
        std::abort();
    std::size_t start = 0;
    std::int32_t lines = 0;
    while (start <= shown.size()) {
        auto end = shown.find("\r\n", start);
        if (end == std::string::npos)
            end = shown.size();
        const std::string_view line(shown.data() + start, end - start);
        if (Width(line) > kRoom.width)
            std::abort();
        ++lines;
        start = end + 2;
    }
    if (lines > kRoom.lines + 1) // a closing break leaves an empty last piece
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text =
        gf::DecodeTextFile(std::string_view(reinterpret_cast<const char*>(data), size));
    gf::SlideList list;
    gf::ReadTemplateText(text, "/shows/", list);
    if (list.images.size() > gf::kAttributeCount || list.asyncSoundCounter >= 501 ||
        list.asyncSoundCounter < -1 || list.soundMode < 0 || list.soundMode > 3)
        std::abort();
    for (std::size_t i = 0; i < list.images.size(); ++i)
        CheckFitted(list.attributes[i].comment);
    return 0;
}

// The player's template reading: decoding, comma-delimited items and the slide list.
#include "core/show/SlideListLoader.h"
#include "core/support/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text = gf::DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    gf::SlideList list;
    gf::ReadTemplateText(text, "/shows/", list);
    if (list.images.size() > gf::kAttributeCount || list.asyncSoundCounter >= 501 ||
        list.asyncSoundCounter < -1 || list.soundMode < 0 || list.soundMode > 3)
        std::abort();
    return 0;
}

// The template designer's line reader.
#include "core/template/DesignerTemplateReader.h"
#include "core/text/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text = gf::DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!gf::IsValidUtf8(text))
        std::abort();
    const auto read = gf::ReadDesignerTemplateText(text, "/shows/", 1);
    if (read.soundMode < 1 || read.soundMode > 3)
        std::abort();
    for (const auto& row : read.rows)
        if (!row.imageName.empty() && row.imagePath.empty())
            std::abort();
    return 0;
}

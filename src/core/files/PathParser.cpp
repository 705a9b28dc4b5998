#include "core/files/PathParser.h"

namespace gf {

void PathParser::setFileSpec(std::string_view fileSpec) {
    fileSpec_ = std::string(fileSpec);

    const auto dot = fileSpec.rfind('.');
    extension_ =
        dot == std::string_view::npos ? std::string() : std::string(fileSpec.substr(dot + 1));

    // Step from separator to separator, preferring the next "\" and falling back to the next
    // "/": the last one reached is the last separator of either kind.
    std::size_t start = 0; // 0-based index where the file name begins
    if (fileSpec.find_first_of("\\/") != std::string_view::npos) {
        std::size_t pos = std::string_view::npos;
        std::size_t from = 0;
        for (;;) {
            auto next = fileSpec.find('\\', from);
            if (next == std::string_view::npos)
                next = fileSpec.find('/', from);
            if (next == std::string_view::npos)
                break;
            pos = next;
            from = next + 1;
        }
        start = pos + 1;
    } else {
        const auto colon = fileSpec.find(':');
        start = colon == std::string_view::npos ? 0 : colon + 1;
    }
    name_ = std::string(fileSpec.substr(start));
    path_ = std::string(fileSpec.substr(0, start));
}

} // namespace gf

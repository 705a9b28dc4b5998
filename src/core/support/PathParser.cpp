#include "core/support/PathParser.h"

namespace gf {

void PathParser::setFileSpec(std::string_view spec) {
    spec_ = std::string(spec);

    const auto dot = spec.rfind('.');
    extension_ = dot == std::string_view::npos ? std::string() : std::string(spec.substr(dot + 1));

    // Step from separator to separator, preferring the next "\" and falling back to the next
    // "/": the last one reached is the last separator of either kind.
    std::size_t start = 0; // 0-based index where the file name begins
    if (spec.find_first_of("\\/") != std::string_view::npos) {
        std::size_t pos = std::string_view::npos;
        std::size_t from = 0;
        for (;;) {
            auto next = spec.find('\\', from);
            if (next == std::string_view::npos)
                next = spec.find('/', from);
            if (next == std::string_view::npos)
                break;
            pos = next;
            from = next + 1;
        }
        start = pos + 1;
    } else {
        const auto colon = spec.find(':');
        start = colon == std::string_view::npos ? 0 : colon + 1;
    }
    name_ = std::string(spec.substr(start));
    path_ = std::string(spec.substr(0, start));
}

} // namespace gf

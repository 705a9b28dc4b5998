#include "core/text/Trace.h"

#include <cstdio>
#include <cstdlib>

namespace gf {

void Trace(std::string_view line) {
    static const bool enabled = std::getenv("GLIMMERFRAME_TRACE") != nullptr;
    if (!enabled)
        return;
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

} // namespace gf

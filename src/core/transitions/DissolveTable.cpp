#include "core/transitions/DissolveTable.h"

namespace gf {

std::optional<int> DissolveIndex(std::string_view name) {
    for (int i = 0; i <= kDissolveUpperIndex; ++i)
        if (kDissolveNames[static_cast<std::size_t>(i)] == name)
            return i;
    return std::nullopt;
}

} // namespace gf

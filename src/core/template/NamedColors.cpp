#include "core/template/NamedColors.h"

namespace gf {

ColorNumber ColorFromName(std::string_view name, bool isForeground) {
    for (const auto& c : kNamedColors)
        if (c.name == name)
            return c.number();
    return isForeground ? 0x0000FFu : 0;
}

} // namespace gf

#include "core/package/PackageItems.h"

namespace gf {

bool PackageItems::HasImbeddedSound(int index) const {
    const auto& entries = reader_.directory().entries;
    return index >= 0 && std::size_t(index) < entries.size() &&
           entries[std::size_t(index)].hasSound();
}

} // namespace gf

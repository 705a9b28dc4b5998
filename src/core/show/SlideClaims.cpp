#include "core/show/SlideClaims.h"

namespace gf {

void SlideClaims::hold(int screen, std::optional<std::size_t> shown,
                       std::optional<std::size_t> next) {
    held_[screen] = {shown, next};
}

bool SlideClaims::heldByAnother(int screen, std::size_t slide) const {
    for (const auto& [other, held] : held_)
        if (other != screen && (held.first == slide || held.second == slide))
            return true;
    return false;
}

std::size_t SlideClaims::Free(int screen, std::size_t drawn, std::size_t count) const {
    for (std::size_t step = 0; step < count; ++step) {
        const std::size_t slide = (drawn + step) % count;
        if (!heldByAnother(screen, slide))
            return slide;
    }
    return drawn;
}

} // namespace gf

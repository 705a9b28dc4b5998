#include "core/help/TipRotation.h"

namespace gf {

std::string TipRotation::tooltip() const {
    std::string headline(current().headline);
    for (char& c : headline)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return "Click to read about " + headline + " in the user guide";
}

} // namespace gf

#include "core/help/AboutText.h"

namespace gf {

std::string AboutVersionText(int major, int minor, int revision) {
    return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(revision);
}

} // namespace gf

#pragma once
// The trace facility: entry ("S: "), exit ("E: ") and extra ("X: ") lines. Lines are discarded
// unless the environment variable GLIMMERFRAME_TRACE is set, then they go to stderr.
#include <string_view>

namespace gf {

void Trace(std::string_view line);

} // namespace gf

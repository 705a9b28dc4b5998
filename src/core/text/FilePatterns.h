#pragma once
// File-list pattern texts such as "*.jpg;*.jpeg;*.bmp;*.gif; *.jpe; *.wmf".
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// The patterns of a ";"-separated list, blanks around each removed, empty ones dropped.
std::vector<std::string> SplitFilePatterns(std::string_view list);

// Whether a file name matches one "*" / "?" wildcard pattern, ignoring ASCII case.
bool MatchesFilePattern(std::string_view name, std::string_view pattern);

} // namespace gf

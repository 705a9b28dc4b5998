#pragma once
// Designer rows holding everything a template has trouble with: rows with a sound alone and
// attributes, commas and quotes in paths and comments, empty and keyword-like comment lines, "^"
// breaks, blank and cancelled rows. Shared by the round-trip tests and make_test_template.
#include "core/template/DesignerRow.h"

#include <string>
#include <vector>

namespace gf::test {

// Paths inside `folder` (which ends with a separator); the files are not made.
std::vector<DesignerRow> EveryKindOfRow(const std::string& folder);

} // namespace gf::test

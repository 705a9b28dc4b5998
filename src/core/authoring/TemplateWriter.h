#pragma once
// Designer rows as template text, in the canonical form: UTF-8, CR LF after every line.
#include "base/Result.h"
#include "core/authoring/DesignerRow.h"
#include "platform/FileSystem.h"

#include <span>
#include <string>
#include <string_view>

namespace gf {

// soundMode 1 "SOUNDSYNC=1", 2 "SOUNDSYNC=2", anything else "SOUNDASYNC". Rows with neither a
// picture nor a sound write nothing. Fails when a value holds a line break, which no reader
// could tell from the next line.
Result<std::string> FormatTemplate(std::span<const DesignerRow> rows, int soundMode);

// FormatTemplate, then replaces the file at targetPath all at once.
Status WriteTemplateFile(FileSystem& files, std::string_view targetPath,
                         std::span<const DesignerRow> rows, int soundMode);

} // namespace gf

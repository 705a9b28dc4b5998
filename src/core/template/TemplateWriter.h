#pragma once
// Designer rows as template text, in the canonical form: UTF-8, CR LF after every line, written so
// that the show and the designer both read back what was written.
#include "base/Result.h"
#include "core/template/DesignerRow.h"
#include "platform/FileSystem.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// soundMode 1 "SOUNDSYNC=1", 2 "SOUNDSYNC=2", anything else "SOUNDASYNC". Rows with neither a
// picture nor a sound write nothing; a row with a sound alone writes its sound only, beside the
// picture above it in modes 1 and 2. An item with a comma, a leading "#" or quote, or a blank at
// either end is written in double quotes, its own quotes doubled. What no line can hold is left
// out (TemplateLosses says what). Fails when a name, path, dissolve or colour holds a line break.
Result<std::string> FormatTemplate(std::span<const DesignerRow> rows, int soundMode);

// What of the rows a show would not play as they say, one sentence each: what FormatTemplate
// leaves out, and what the player ignores past its 501 slides and sounds.
std::vector<std::string> TemplateLosses(std::span<const DesignerRow> rows, int soundMode);

// FormatTemplate, then replaces the file at targetPath all at once.
Status WriteTemplateFile(FileSystem& files, std::string_view targetPath,
                         std::span<const DesignerRow> rows, int soundMode);

} // namespace gf

#pragma once
// The template designer's reading of a template: whole lines (a line in double quotes is its text),
// "#" lines skipped, strict dissolve names, comment lines joined with "^".
#include "core/template/DesignerRow.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

struct DesignerTemplateRead {
    std::vector<DesignerRow> rows; // rows read before an error stay
    int soundMode = 1;             // 1, 2 or 3: optSync1, optSync2, optAsync
    std::optional<std::string> error;

    // Whether a show of these rows would display anything.
    bool hasPicture() const {
        for (const auto& r : rows)
            if (!r.imageName.empty())
                return true;
        return false;
    }
};

// Reads the template; soundMode starts as currentSoundMode and follows the sound-mode lines.
DesignerTemplateRead ReadDesignerTemplate(FileSystem& files, std::string_view templatePath,
                                          int currentSoundMode);

// The same rules over text already in memory, names without a folder looked up in `folder`.
DesignerTemplateRead ReadDesignerTemplateText(std::string_view text, std::string_view folder,
                                              int currentSoundMode);

} // namespace gf

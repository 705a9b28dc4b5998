#pragma once
// One row of the template designer: a slide entry with its names, attributes and full paths.
#include <string>
#include <string_view>

namespace gf {

// What every message of the authoring tools about a failure starts with.
inline constexpr std::string_view kAuthoringErrorPrefix = "An Error Has Occurred: ";

struct DesignerRow {
    std::string imageName;  // picture file name without folder; empty when none
    std::string soundName;  // sound file name without folder; empty when none
    std::string dissolve;   // empty: the default dissolve
    std::string comment;    // line breaks stored as "^"
    std::string foreground; // colour name
    std::string background; // colour name
    std::string imagePath;  // full path of the picture
    std::string soundPath;  // full path of the sound

    // Blank row: every field empty.
    bool isBlank() const {
        return imageName.empty() && soundName.empty() && dissolve.empty() && comment.empty() &&
               foreground.empty() && background.empty() && imagePath.empty() && soundPath.empty();
    }
    bool operator==(const DesignerRow&) const = default;
};

} // namespace gf

#pragma once
// What the slide entry editor hands back: the chosen values and which of them the user set.
#include <string>

namespace gf {

struct EntryEditorResults {
    std::string ImageSelection, ImageFullPath;
    std::string SoundSelection, SoundFullPath;
    std::string DissolveSelection;
    std::string CommentSelection; // line breaks as "^"
    std::string BackgroundSelection, ForegroundSelection;
    bool ImageClicked = false, SoundClicked = false, CommentClicked = false;
    bool DissolveClicked = false, BackgroundClicked = false, ForegroundClicked = false;
};

} // namespace gf

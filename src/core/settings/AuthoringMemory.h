#pragma once
// What the authoring dialogs remember for the whole run: the picker folders last accepted and
// the template chooser's last choice.
#include <string>

namespace gf {

struct AuthoringMemory {
    std::string lastImageFolder; // with trailing separator; empty until an image is accepted
    std::string lastSoundFolder;
    std::string chooserSelection;     // full path of the chosen template; empty after Cancel
    std::string chooserSelectionPath; // its folder with trailing separator
};

} // namespace gf

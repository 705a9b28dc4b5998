#pragma once
// The process-wide settings, as the show and the dialogs hold them in memory.
#include <cstdint>
#include <string>

namespace gf {

struct Settings {
    // First group: a package may take these from its trailer.
    std::int16_t ImageInterval = 0;
    std::int16_t FullScreen = 0;
    std::int16_t ImagePositionRandom = 0;
    std::int16_t ImageOrderRandom = 0;
    std::int16_t MouseSensitivity = 0;
    std::int16_t IgnoreMouse = 0;
    std::int16_t DissolveDelay = 0;
    // Second group: always from the store.
    std::string ImagePath;
    std::string ImageListFile;
    std::int16_t AllImages = 0;
    std::int16_t Blocks = 0;
    std::string DissolveType;
    std::int16_t DisableSound = 0;
    std::int16_t ShowOnAllScreens = 0;  // 1: every screen shows slides, 0: the primary one
    std::int16_t IncludeSubfolders = 0; // 1: a folder show takes the folders below it too
    std::int16_t Caption = 0; // a folder show's pictures: 0 none, 1 file name, 2 date taken

    bool operator==(const Settings&) const = default;
};

} // namespace gf

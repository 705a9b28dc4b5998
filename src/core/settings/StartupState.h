#pragma once
// The process-wide start-up state, written once by Main and read by every run mode.
#include "core/settings/AuthoringMemory.h"
#include "core/settings/RandomSource.h"
#include "core/settings/Settings.h"
#include "platform/FileSystem.h"
#include "platform/HostServices.h"

#include <cstdint>
#include <string>

namespace gf {

struct StartupState {
    std::string ProductName;
    bool StandAlone = false;
    std::int32_t PreviewWindow = 0;
    std::int32_t PlatformId = 0;
    std::int16_t TwipsPerPixelX = 0;
    std::int16_t TwipsPerPixelY = 0;
    OSVersionInfo osVersionInfo;
    std::int32_t lastPlatformResult = 0;
    // The running program file and its folder (with trailing separator).
    std::string programFile;
    std::string programFolder;
};

// Everything that lives for the whole process: the file system, start-up state, settings,
// random source, and what the authoring dialogs remember between showings.
struct ProcessState {
    explicit ProcessState(FileSystem& fileSystem) : files(fileSystem) {}

    FileSystem& files;
    StartupState startup;
    Settings settings;
    SeededRandom random;
    AuthoringMemory authoring;
};

} // namespace gf

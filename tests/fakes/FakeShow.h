#pragma once
// Every show device as a fake, wired into one ShowPlatform, with a process state whose
// settings are the defaults.
#include "FakeEventLoop.h"
#include "FakePictureDecoder.h"
#include "FakePlatformTimer.h"
#include "FakeShowDevices.h"
#include "MemorySettingsStore.h"
#include "RecordingCanvas.h"
#include "core/settings/StartupState.h"
#include "fakes/RealFiles.h"
#include "platform/ShowPlatform.h"

namespace gf::test {

struct FakeShow {
    explicit FakeShow(std::int32_t widthPx = 100, std::int32_t heightPx = 80, bool compose = true)
        : canvas(widthPx, heightPx, 15, compose) {
        auto& s = process.settings;
        s.ImageInterval = 10;
        s.MouseSensitivity = 100;
        s.Blocks = 10;
        s.DissolveType = "Normal";
        process.startup.PlatformId = 2;
        process.startup.programFolder = "/nonexistent/";
        platform.workers = false;
    }
    std::shared_ptr<FakePictureDecoder> decoder = std::make_shared<FakePictureDecoder>();
    FakePictureDecoder& picture = *decoder;
    RecordingCanvas canvas;
    FakeEventLoop loop;
    FakePlatformTimer timer1, timer2;
    FakeCursor cursor;
    FakeMediaPlayer media;
    FakeOneShotSound sound;
    FakePasswordCheck password;
    FakeNotice notice;
    ShowPlatform platform{canvas, decoder, loop,  loop,     timer1, timer2,
                          cursor, media,   sound, password, notice};
    ProcessState process{test::RealFiles()};
    MemorySettingsStore store;
};

} // namespace gf::test

#include "core/show/PlayerWindow.h"

#include "core/settings/Registry.h"
#include "core/text/TextNumber.h"
#include "core/text/Trace.h"

#include <algorithm>
#include <system_error>

namespace gf {

namespace {
constexpr std::int64_t kBusyWaitMs = 50;
// How soon the slide timer looks again while a folder's listing has found nothing yet.
constexpr std::int32_t kListingWaitMs = 50;
// Bounds the display-counter loops even if the platform's counter never moves.
constexpr int kCursorCalls = 64;
} // namespace

PlayerWindow::PlayerWindow(ProcessState& process, ShowPlatform& platform,
                           const SettingsStore& store, LoadFilesFunction loadFiles,
                           EmbeddedItems* embedded, PlayerOptions options)
    : process_(process), platform_(platform), store_(store), loadFiles_(std::move(loadFiles)),
      options_(options), besideSettings_(process.settings),
      state_(options.screen > 0 ? besideSettings_ : process.settings, platform, process.random,
             embedded),
      presenter_(state_, slides_, process.files, process.startup.StandAlone && embedded != nullptr,
                 process.startup.programFolder) {
    platform_.timer1.setEnabled(false);
    platform_.timer2.setEnabled(false);
    platform_.timer1.setTickHandler([this] { Timer1_Timer(); });
    platform_.timer2.setTickHandler([this] { Timer2_Timer(); });
    besideSettings_.DisableSound = 1;
    presenter_.shareScreens(options_.screen, options_.claims);
}

bool PlayerWindow::PasswordRules() const {
    return !options_.hosted && !besidePrimary() && process_.startup.PlatformId != 2 &&
           usePassword_ != 0;
}

void PlayerWindow::ShowCursorUntilVisible() {
    if (options_.hosted || besidePrimary())
        return;
    for (int i = 0; i < kCursorCalls && platform_.cursor.showCursor(true) <= 5; ++i) {
    }
}

void PlayerWindow::HideCursorUntilHidden() {
    if (options_.hosted || besidePrimary())
        return;
    for (int i = 0; i < kCursorCalls && platform_.cursor.showCursor(false) >= -5; ++i) {
    }
}

void PlayerWindow::Form_Load() {
    Trace("S: MainForm Form_Load");
    auto& p = platform_;
    slides_.soundMode = 0;
    state_.asyncStartPending = true;
    p.timer1.setInterval(10);
    p.timer2.setInterval(1000);
    p.canvas.setStatusText("hi!");
    soundListPosition_ = -1;
    p.canvas.setBackgroundColor(0);
    p.canvas.clearWindow();
    state_.currentSlide = -1;

    if (process_.startup.StandAlone && state_.embedded)
        state_.embedded->ReadSCR(slides_);
    else if (loadFiles_)
        listing_ = loadFiles_(process_.settings, slides_);
    state_.busy = false;

    if (slides_.soundMode == 2) {
        p.timer1.setInterval(500);
        p.media.setActive(true);
    } else if (slides_.soundMode == 3) {
        p.media.setActive(true);
    }

    usePassword_ = RoundToInt16(
        ReadNumber(ReadRegistryValue(store_, static_cast<std::uint32_t>(RegistryRoot::CurrentUser),
                                     "Control Panel\\Desktop", "ScreenSaveUsePassword")));
    if (PasswordRules())
        p.notice.setRunning(true);
    HideCursorUntilHidden();
    if (besidePrimary()) // a later first tick: the screens' dissolves, which wait in turn,
                         // seldom come at once
        p.timer1.setInterval(10 + std::int32_t(std::int64_t{options_.screen} *
                                               process_.settings.ImageInterval * 1000 /
                                               std::max(1, options_.screens)));
    p.timer1.setEnabled(true);
    if (TakeListed())
        presenter_.PrefetchNext(); // the first slide is decoded while the window comes up
    Trace("E: MainForm Form_Load");
}

bool PlayerWindow::TakeListed() {
    if (listing_ && listing_->fillIn(slides_))
        listing_ = nullptr;
    const auto count = slides_.images.size();
    if (!placed_ && count > 0 && besidePrimary()) // further on in the list
        state_.currentSlide = std::int32_t(std::size_t(options_.screen) % count) - 1;
    placed_ = placed_ || count > 0;
    return count > 0 || !listing_;
}

void PlayerWindow::Timer1_Timer() {
    if (ended_)
        return;
    if (!TakeListed()) {
        platform_.timer1.setInterval(kListingWaitMs);
        return;
    }
    Trace("S: MainForm Timer1");
    // A presentation is running further down the stack: wait for it, handling events.
    while (state_.busy && !state_.exiting) {
        platform_.pump.processPending();
        if (state_.busy && !state_.exiting)
            platform_.pump.waitForEvents(kBusyWaitMs);
    }
    presenter_.LoadImage();
    if (!ended_)
        platform_.timer1.setInterval(std::int32_t(process_.settings.ImageInterval) * 1000);
    Trace("E: MainForm Timer1");
}

void PlayerWindow::Timer2_Timer() {
    if (ended_ || state_.exiting || slides_.soundMode != 3 || state_.settings.DisableSound == 1)
        return;
    Trace("S: MainForm Timer2");
    auto& media = platform_.media;
    const int playState = media.playState();
    platform_.canvas.setStatusText("Media Player=" + std::to_string(playState));
    if (playState == kPlayStopped || playState == kPlayPaused || playState == kPlayClosed) {
        ++soundListPosition_;
        if (soundListPosition_ > slides_.asyncSoundCounter)
            soundListPosition_ = 0;
        if (process_.startup.StandAlone && state_.embedded) {
            media.setFileName("");
            media.stop();
            state_.LoadImbeddedSound(soundListPosition_);
            if (!state_.extractedSoundPath.empty())
                media.setFileName(state_.extractedSoundPath);
        } else {
            media.setFileName(slides_.at(std::size_t(soundListPosition_)).sound);
        }
    }
    Trace("E: MainForm Timer2");
}

void PlayerWindow::Input() {
    RequestClose();
}

void PlayerWindow::MouseMove() {
    if (ended_ || state_.exiting || process_.settings.IgnoreMouse != 0)
        return;
    ++movementCounter_;
    if (movementCounter_ == process_.settings.MouseSensitivity)
        RequestClose();
    const double now = platform_.clock.secondsSinceMidnight();
    if (firstMoveTime_ == 0) {
        firstMoveTime_ = RoundToInt32(now);
    } else if (now - firstMoveTime_ > 2000) {
        // After midnight the difference turns negative: a window begun before it never resets.
        firstMoveTime_ = 0;
        movementCounter_ = 0;
    }
}

void PlayerWindow::RequestClose() {
    if (ended_)
        return;
    if (QueryUnload())
        Form_Unload();
}

void PlayerWindow::Stop() {
    if (ended_)
        return;
    state_.exiting = true;
    presenter_.StopPictures();
    ended_ = state_.ended = true;
    platform_.timer1.setEnabled(false);
    platform_.timer2.setEnabled(false);
}

void PlayerWindow::Terminate() {
    state_.exiting = true;
    RequestClose();
}

bool PlayerWindow::QueryUnload() {
    Trace("S: MainForm QueryUnLoad");
    if (state_.exiting) {
        ShowCursorUntilVisible();
        Trace("E: MainForm QueryUnLoad");
        return true;
    }
    if (PasswordRules()) {
        ShowCursorUntilVisible();
        if (!platform_.password.verify()) {
            HideCursorUntilHidden();
            movementCounter_ = 0;
            Trace("E: MainForm QueryUnLoad");
            return false;
        }
    }
    state_.exiting = true;
    Trace("E: MainForm QueryUnLoad");
    return true;
}

void PlayerWindow::Form_Unload() {
    if (ended_)
        return;
    Trace("S: MainForm Form_UnLoad");
    auto& p = platform_;
    if (slides_.soundMode == 3)
        p.media.stop();
    else if (slides_.soundMode == 1)
        state_.sound.PlayOneShot("");
    ShowCursorUntilVisible();
    if (PasswordRules())
        p.notice.setRunning(false);
    if (state_.embedded)
        state_.embedded->RemovePictures();
    presenter_.StopPictures();
    ended_ = true;
    state_.ended = true;
    p.timer1.setEnabled(false);
    p.timer2.setEnabled(false);
    Trace("E: MainForm Form_UnLoad");
    p.pump.quit();
}

} // namespace gf

#pragma once
// The show's window logic: load, the slide and sound timers, input, mouse counting, the close
// request with its password rules, and the unload that ends the show.
#include "core/settings/StartupState.h"
#include "core/show/FolderListing.h"
#include "core/show/PlayerState.h"
#include "core/show/SlidePresenter.h"
#include "core/template/EmbeddedItems.h"
#include "core/template/SlideList.h"
#include "platform/SettingsStore.h"
#include "platform/ShowPlatform.h"

#include <cstdint>
#include <functional>

namespace gf {

struct PlayerOptions {
    // Drawn into a window that another program owns: the cursor, the password and the
    // screen-saver notice are left to that program.
    bool hosted = false;
    // A show on every screen: this player's screen (0, the primary one, plays the sound and
    // owns the cursor, the password and the end) of `screens`, and what they share to draw
    // apart. Each other screen starts `screen` slides further on and its first tick later.
    int screen = 0, screens = 1;
    SlideClaims* claims = nullptr;
};

class PlayerWindow {
  public:
    // Fills the list, or starts a folder's listing that fills it as the show goes (then the
    // listing, which must outlive the player, is returned).
    using LoadFilesFunction = std::function<const FolderListing*(Settings&, SlideList&)>;

    // `embedded` is the package's items when the program runs as a package, else null.
    PlayerWindow(ProcessState& process, ShowPlatform& platform, const SettingsStore& store,
                 LoadFilesFunction loadFiles, EmbeddedItems* embedded, PlayerOptions options = {});
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;

    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    // Click, double click, key down, key press, button down, and the media player's keys.
    void Input();
    void MouseMove();
    // Asks to close; when accepted the window unloads and the event loop ends.
    void RequestClose();
    // A termination request from the system: ends without asking for a password.
    void Terminate();
    // Another screen's player ends with the show: it stops where it is.
    void Stop();
    // True when the close may go ahead.
    bool QueryUnload();
    void Form_Unload();

    bool ended() const { return ended_; }
    PlayerState& state() { return state_; }
    const SlideList& slides() const { return slides_; }
    std::int32_t movementCounter() const { return movementCounter_; }
    std::int16_t usePassword() const { return usePassword_; }

  private:
    bool PasswordRules() const;
    // Another screen of a show on every screen, beside the primary one.
    bool besidePrimary() const { return options_.screen > 0; }
    void ShowCursorUntilVisible();
    void HideCursorUntilHidden();
    // Takes what the folder's listing has found since; true once there is a slide to show (or
    // the reason there is none).
    bool TakeListed();

    ProcessState& process_;
    ShowPlatform& platform_;
    const SettingsStore& store_;
    LoadFilesFunction loadFiles_;
    const FolderListing* listing_ = nullptr; // until the list is complete
    bool placed_ = false;                    // another screen's first slide chosen
    PlayerOptions options_;
    Settings besideSettings_; // another screen's: the process's, without sound
    SlideList slides_;
    PlayerState state_;
    SlidePresenter presenter_;
    std::int32_t soundListPosition_ = 0;
    std::int32_t firstMoveTime_ = 0;
    std::int32_t movementCounter_ = 0;
    std::int16_t usePassword_ = 0;
    bool ended_ = false;
};

} // namespace gf

#pragma once
// A show put together the same way on every platform: the package's items, the screens it plays
// on and covers, the player over the platform's devices, and every show window's input. The
// front end makes the windows and devices and forwards what its windows hear.
#include "base/Result.h"
#include "core/package/PackageItems.h"
#include "core/show/PlayerWindow.h"
#include "platform/PictureFormats.h"
#include "platform/SettingsStore.h"
#include "platform/ShowPlatform.h"

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace gf {

struct ShowScreen {
    int x = 0, y = 0, width = 0, height = 0;
    bool primary = false;
    bool operator==(const ShowScreen&) const = default;
};

// The screen the show plays on (the primary one, else the first) and the others, which are
// covered in black: one show has one sound and one pace. No show screen when there is none.
struct ScreenPlan {
    std::optional<ShowScreen> show;
    std::vector<ShowScreen> covers;
};
ScreenPlan PlanScreens(std::span<const ShowScreen> screens);

class ShowAssembly {
  public:
    // Reads the package's items when the program is a package; an error when it cannot.
    static Result<std::unique_ptr<ShowAssembly>> Prepare(ProcessState& process);

    // Builds the player over `platform`; folder shows list the six patterns and then what
    // `formats` reads. Once, before start().
    void assemble(const SettingsStore& store, const ShowPlatform& platform,
                  const PictureFormats& formats, PlayerOptions options);
    // Loads the form: the first slide comes.
    void start() { player_->Form_Load(); }
    // Ends the player before the devices it uses go; the package's files stay until the
    // assembly goes, after the windows and devices that may hold them open.
    void finish() {
        player_.reset();
        platform_.reset();
    }

    PlayerWindow& player() { return *player_; }
    PackageItems* items() { return items_.get(); }

    // What any show window hears. A key or a click:
    void input() { player_->Input(); }
    // The pointer at a place on the desktop: only real movement counts, as windows appearing
    // under a still pointer report it too.
    void pointerAt(int x, int y);
    void closeRequested() { player_->RequestClose(); }
    void terminate() { player_->Terminate(); }

  private:
    explicit ShowAssembly(ProcessState& process) : process_(process) {}

    ProcessState& process_;
    std::unique_ptr<PackageItems> items_;
    std::unique_ptr<ShowPlatform> platform_;
    std::unique_ptr<PlayerWindow> player_;
    std::optional<std::pair<int, int>> pointer_;
};

} // namespace gf

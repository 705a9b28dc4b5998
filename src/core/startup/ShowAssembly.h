#pragma once
// A show put together the same way on every platform: the package's items, the screens it plays
// on and covers, the player over the platform's devices, and every show window's input. The
// front end makes the windows and devices and forwards what its windows hear.
#include "base/Result.h"
#include "core/package/PackageItems.h"
#include "core/show/PlayerWindow.h"
#include "core/show/SilentSound.h"
#include "core/show/SlideClaims.h"
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

// The screen the show plays on with its sound (the primary one, else the first) and the others:
// covered in black, or, on every screen, showing slides beside it. No show screen when there is
// none.
struct ScreenPlan {
    std::optional<ShowScreen> show;
    std::vector<ShowScreen> covers;
    std::vector<ShowScreen> beside;
};
ScreenPlan PlanScreens(std::span<const ShowScreen> screens, bool everyScreen = false);

class ShowAssembly {
  public:
    // Reads the package's items when the program is a package; an error when it cannot.
    static Result<std::unique_ptr<ShowAssembly>> Prepare(ProcessState& process);

    // Builds the player over `platform`; folder shows list the six patterns and then what
    // `formats` reads. Once, before start(). `screens` counts the screens that show slides.
    void assemble(const SettingsStore& store, const ShowPlatform& platform,
                  const PictureFormats& formats, PlayerOptions options, int screens = 1);
    // A player for one more screen beside the primary one, over its own canvas, timers and
    // decoder; its sound devices are silent. After assemble(), before start().
    void addScreen(const ShowPlatform& platform);
    // Loads the forms: the first slides come.
    void start();
    // Ends the players before the devices they use go; the package's files stay until the
    // assembly goes, after the windows and devices that may hold them open.
    void finish();

    PlayerWindow& player() { return *players_.front(); }
    // Every screen's player, the primary one first.
    std::size_t screens() const { return players_.size(); }
    PlayerWindow& player(std::size_t screen) { return *players_.at(screen); }
    PackageItems* items() { return items_.get(); }

    // What any show window hears, for the whole show. A key or a click:
    void input();
    // The pointer at a place on the desktop: only real movement counts, as windows appearing
    // under a still pointer report it too.
    void pointerAt(int x, int y);
    void closeRequested();
    void terminate();

  private:
    explicit ShowAssembly(ProcessState& process) : process_(process) {}

    // Once the primary player has ended, the other screens' stop where they are.
    void settle();

    ProcessState& process_;
    std::unique_ptr<PackageItems> items_;
    const SettingsStore* store_ = nullptr;
    PlayerWindow::LoadFilesFunction loadFiles_;
    std::unique_ptr<FolderListing> listing_; // a folder show's, for every screen
    int screens_ = 1;
    SlideClaims claims_;
    SilentSound silent_;
    std::vector<std::unique_ptr<ShowPlatform>> platforms_;
    std::vector<std::unique_ptr<PlayerWindow>> players_;
    std::optional<std::pair<int, int>> pointer_;
};

} // namespace gf

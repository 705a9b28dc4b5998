#include "core/startup/ShowAssembly.h"

#include "core/files/Paths.h"
#include "core/picture/PictureTypes.h"
#include "core/template/SlideListLoader.h"

#include <algorithm>
#include <utility>

namespace gf {

ScreenPlan PlanScreens(std::span<const ShowScreen> screens, bool everyScreen) {
    ScreenPlan plan;
    if (screens.empty())
        return plan;
    const auto primary = std::ranges::find_if(screens, &ShowScreen::primary);
    const auto shown = primary == screens.end() ? screens.begin() : primary;
    plan.show = *shown;
    for (auto it = screens.begin(); it != screens.end(); ++it)
        if (it != shown)
            (everyScreen ? plan.beside : plan.covers).push_back(*it);
    return plan;
}

Result<std::unique_ptr<ShowAssembly>> ShowAssembly::Prepare(ProcessState& process) {
    auto items = PackageItems::ForShow(process);
    if (!items)
        return items.error();
    std::unique_ptr<ShowAssembly> show(new ShowAssembly(process));
    show->items_ = std::move(*items);
    return show;
}

void ShowAssembly::assemble(const SettingsStore& store, const ShowPlatform& platform,
                            const PictureFormats& formats, PlayerOptions options, int screens) {
    store_ = &store;
    screens_ = std::max(1, screens);
    loadFiles_ = [this, patterns = PicturePatterns(formats), worker = platform.workers](
                     Settings& settings, SlideList& list) -> const FolderListing* {
        if (settings.AllImages == 0) {
            LoadFiles(process_.files, settings, list, patterns);
            return nullptr;
        }
        // A photo library can take seconds to list: the show starts with what is found first.
        if (!settings.ImagePath.empty())
            settings.ImagePath = AddBackslash(settings.ImagePath);
        listing_ = std::make_unique<FolderListing>(process_.files, settings.ImagePath, patterns,
                                                   settings.IncludeSubfolders != 0, worker);
        return listing_.get();
    };
    if (items_)
        items_->KeepPictures(2 * std::size_t(screens_));
    options.screens = screens_;
    options.claims = screens_ > 1 ? &claims_ : nullptr;
    platforms_.push_back(std::make_unique<ShowPlatform>(platform));
    players_.push_back(std::make_unique<PlayerWindow>(process_, *platforms_.back(), store,
                                                      loadFiles_, items_.get(), options));
}

void ShowAssembly::addScreen(const ShowPlatform& platform) {
    platforms_.push_back(std::make_unique<ShowPlatform>(
        ShowPlatform{platform.canvas, platform.pictures, platform.clock, platform.pump,
                     platform.timer1, platform.timer2, platform.cursor, silent_, silent_,
                     platform.password, platform.notice, platform.workers}));
    PlayerOptions options;
    options.screen = int(players_.size());
    options.screens = screens_;
    options.claims = &claims_;
    // The primary player's list, read once when start() loads it first, and its listing.
    auto share = [this](Settings&, SlideList& list) -> const FolderListing* {
        list = players_.front()->slides();
        return listing_.get();
    };
    players_.push_back(std::make_unique<PlayerWindow>(process_, *platforms_.back(), *store_, share,
                                                      items_.get(), options));
}

void ShowAssembly::start() {
    for (auto& player : players_)
        player->Form_Load();
}

void ShowAssembly::finish() {
    while (!players_.empty())
        players_.pop_back(); // the primary one last
    platforms_.clear();
    listing_.reset();
}

void ShowAssembly::settle() {
    if (!players_.front()->ended())
        return;
    for (std::size_t i = 1; i < players_.size(); ++i)
        players_[i]->Stop();
}

void ShowAssembly::input() {
    players_.front()->Input();
    settle();
}

void ShowAssembly::closeRequested() {
    players_.front()->RequestClose();
    settle();
}

void ShowAssembly::terminate() {
    players_.front()->Terminate();
    settle();
}

void ShowAssembly::pointerAt(int x, int y) {
    const bool first = !pointer_;
    if (!first && *pointer_ == std::pair{x, y})
        return;
    pointer_ = {x, y};
    if (!first) {
        players_.front()->MouseMove();
        settle();
    }
}

} // namespace gf

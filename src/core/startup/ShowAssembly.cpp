#include "core/startup/ShowAssembly.h"

#include "core/picture/PictureTypes.h"
#include "core/template/SlideListLoader.h"

#include <algorithm>
#include <utility>

namespace gf {

ScreenPlan PlanScreens(std::span<const ShowScreen> screens) {
    ScreenPlan plan;
    if (screens.empty())
        return plan;
    const auto primary = std::ranges::find_if(screens, &ShowScreen::primary);
    const auto shown = primary == screens.end() ? screens.begin() : primary;
    plan.show = *shown;
    for (auto it = screens.begin(); it != screens.end(); ++it)
        if (it != shown)
            plan.covers.push_back(*it);
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
                            const PictureFormats& formats, PlayerOptions options) {
    platform_ = std::make_unique<ShowPlatform>(platform);
    auto loadFiles = [&files = process_.files,
                      patterns = PicturePatterns(formats)](Settings& settings, SlideList& list) {
        LoadFiles(files, settings, list, patterns);
    };
    player_ = std::make_unique<PlayerWindow>(process_, *platform_, store, std::move(loadFiles),
                                             items_.get(), options);
}

void ShowAssembly::pointerAt(int x, int y) {
    const bool first = !pointer_;
    if (!first && *pointer_ == std::pair{x, y})
        return;
    pointer_ = {x, y};
    if (!first)
        player_->MouseMove();
}

} // namespace gf

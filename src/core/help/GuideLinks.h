#pragma once
// Where the links of the settings window, the about box and the tip strip lead. The program
// has no web site: its maker's pages are pages of the installed user guide, which has a common
// part and a page for each system, and each system's program shows its own.
#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace gf {

// The system the program runs on, as far as the guide is concerned.
enum class GuidePlatform { Linux, Windows };

// The maker's home page and the product page, as guide pages.
inline constexpr std::string_view kGuideHomePage = "index.html";
inline constexpr std::string_view kGuideProductPage = "index.html#about";
// The page that names the running version.
inline constexpr std::string_view kGuideVersionPage = "version.html";

// The guide's pages on this system, in the order of its contents: the common page first.
std::span<const std::string_view> GuidePages(GuidePlatform platform);
// Where newer versions come from on this system ("Check for New Version").
std::string_view GuideNewVersionPage(GuidePlatform platform);

// One tip of the strip: a short headline, a line about it, and the guide's section on it.
struct GuideTip {
    std::string_view headline;
    std::string_view line;
    std::string_view page;
};

inline constexpr std::size_t kGuideTipCount = 6;
// The strip's six tips on this system, in the order it rotates them.
const std::array<GuideTip, kGuideTipCount>& GuideTips(GuidePlatform platform);

// Where a guide page opens: in a viewer of the program or the system, or in the web browser.
enum class GuideViewer { Help, Browser };
// The question asked before the home page opens; none when nothing leaves for the browser.
std::optional<std::string_view> HomePageQuestion(GuideViewer viewer);

// What a reader sees of a page: from `top`, `height` high; `atEnd` when it cannot scroll further.
struct ReaderView {
    int top = 0, height = 0;
    bool atEnd = false;
};
// The section a reader is in, given the tops of the page's headings (ascending): the `chosen`
// one while its heading is in view; else the last heading at or above the view's top, give or
// take `slack` (at the page's end, the last one in view); none above the first heading.
std::optional<std::size_t> CurrentSection(std::span<const int> headingTops, ReaderView view,
                                          int slack, std::optional<std::size_t> chosen = {});

} // namespace gf

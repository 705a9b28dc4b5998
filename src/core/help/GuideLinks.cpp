#include "core/help/GuideLinks.h"

namespace gf {

namespace {

constexpr std::string_view kHomePageQuestion = "Open the Glimmerframe page in your browser?";

constexpr std::array<std::string_view, 3> kLinuxPages = {"index.html", "linux.html",
                                                         "version.html"};
constexpr std::array<std::string_view, 3> kWindowsPages = {"index.html", "windows.html",
                                                           "version.html"};

constexpr GuideTip kTemplatesTip{"Templates",
                                 "Give every picture its own dissolve, comment, colours and sound.",
                                 "index.html#templates"};
constexpr GuideTip kDesignerTip{"The template designer",
                                "Compose a show row by row, with a preview of each picture.",
                                "index.html#designer"};
constexpr GuideTip kPackagesTip{"Stand-alone packages",
                                "Pack a show into one file that runs on another machine.",
                                "index.html#packages"};
constexpr GuideTip kCommandLineTip{"The command line",
                                   "List a show's slides with --list; pack it with --pack.",
                                   "index.html#command-line"};

constexpr std::array<GuideTip, kGuideTipCount> kLinuxTips{{
    kTemplatesTip,
    kDesignerTip,
    kPackagesTip,
    {"XScreenSaver", "Pick Glimmerframe among XScreenSaver's display programs.",
     "linux.html#xscreensaver"},
    {"Folder mode", "Show every picture of a folder: JPEG, PNG, WebP, TIFF and more.",
     "index.html#folder-mode"},
    kCommandLineTip,
}};

constexpr std::array<GuideTip, kGuideTipCount> kWindowsTips{{
    kTemplatesTip,
    kDesignerTip,
    kPackagesTip,
    {"Your screen saver", "Choose Glimmerframe in the screen-saver settings of Windows.",
     "windows.html#choosing"},
    {"Folder mode", "Show every picture of a folder: JPEG, PNG, GIF, TIFF and more.",
     "index.html#folder-mode"},
    kCommandLineTip,
}};

} // namespace

std::span<const std::string_view> GuidePages(GuidePlatform platform) {
    return platform == GuidePlatform::Windows ? std::span<const std::string_view>(kWindowsPages)
                                              : std::span<const std::string_view>(kLinuxPages);
}

std::string_view GuideNewVersionPage(GuidePlatform platform) {
    return platform == GuidePlatform::Windows ? "windows.html#newer" : "linux.html#newer";
}

const std::array<GuideTip, kGuideTipCount>& GuideTips(GuidePlatform platform) {
    return platform == GuidePlatform::Windows ? kWindowsTips : kLinuxTips;
}

std::optional<std::string_view> HomePageQuestion(GuideViewer viewer) {
    if (viewer == GuideViewer::Browser)
        return kHomePageQuestion;
    return std::nullopt;
}

std::optional<std::size_t> CurrentSection(std::span<const int> headingTops, ReaderView view,
                                          int slack, std::optional<std::size_t> chosen) {
    const auto inView = [&](int top) {
        return top >= view.top - slack && top < view.top + view.height;
    };
    if (chosen && *chosen < headingTops.size() && inView(headingTops[*chosen]))
        return chosen;
    const int reach = view.atEnd ? view.top + view.height - 1 : view.top + slack;
    std::optional<std::size_t> current;
    for (std::size_t i = 0; i < headingTops.size() && headingTops[i] <= reach; ++i)
        current = i;
    return current;
}

} // namespace gf

#pragma once
// Where the links of the settings window, the about box and the tip strip lead. The program
// has no web site: its maker's pages are pages of the installed user guide.
#include <array>
#include <string_view>

namespace gf {

// The maker's home page, the product page and the version check, as guide pages.
inline constexpr std::string_view kGuideHomePage = "index.html";
inline constexpr std::string_view kGuideProductPage = "index.html#about";
inline constexpr std::string_view kGuideVersionPage = "version.html";

// One tip of the strip: a short headline, a line about it, and the guide's section on it.
struct GuideTip {
    std::string_view headline;
    std::string_view line;
    std::string_view page;
};

// The strip's six tips, in the order it rotates them.
inline constexpr std::array<GuideTip, 6> kGuideTips{{
    {"Templates", "Give every picture its own dissolve, comment, colours and sound.",
     "index.html#templates"},
    {"The template designer", "Compose a show row by row, with a preview of each picture.",
     "index.html#designer"},
    {"Stand-alone packages", "Pack a show into one file that runs on another machine.",
     "index.html#packages"},
    {"XScreenSaver", "Pick Glimmerframe among XScreenSaver's display programs.",
     "index.html#xscreensaver"},
    {"Folder mode", "Show every picture of a folder: JPEG, PNG, WebP, TIFF and more.",
     "index.html#folder-mode"},
    {"The command line", "List a show's slides with --list; pack it with --pack.",
     "index.html#command-line"},
}};

} // namespace gf

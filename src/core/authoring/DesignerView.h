#pragma once
// What both designer windows show of the rows and commands: the columns and their share of the
// list's width, the tips of the commands and of the sound modes, and a row's column texts.
#include "core/template/DesignerRow.h"

#include <array>
#include <string>
#include <string_view>

namespace gf {

struct DesignerColumn {
    std::string_view title;
    double share; // of the list's width; the last column takes what is left
};
inline constexpr std::array<DesignerColumn, 6> kDesignerColumns = {{
    {"Images", 0.15},
    {"Sounds", 0.15},
    {"Dissolves", 0.15},
    {"Comments", 0.35},
    {"Foreground", 0.1},
    {"Background", 0.1},
}};

// The commands' tips.
namespace designer_tips {
inline constexpr std::string_view kInsert = "Insert An Item", kDelete = "Delete An Item",
                                  kMoveUp = "Move Item Up", kMoveDown = "Move Item Down",
                                  kClear = "Clear All Items", kLoad = "Load Template",
                                  kSave = "Save Template", kPackage = "Create a standalone SCR",
                                  kHelp = "Help Contents", kDone = "Close the designer";
} // namespace designer_tips

// Sound modes 1, 2 and 3 as the radio buttons show them.
struct SoundModeChoice {
    std::string_view name, tip;
};
inline constexpr std::array<SoundModeChoice, 3> kSoundModeChoices = {{
    {"Sync1", "Each slide's sound plays with it"},
    {"Sync2", "Each slide waits for its sound"},
    {"Async", "The sounds play as a list of their own, beside the slides"},
}};

// A row's texts, one a column, in the columns' order.
inline std::array<std::string_view, kDesignerColumns.size()> ColumnTexts(const DesignerRow& r) {
    return {r.imageName, r.soundName, r.dissolve, r.comment, r.foreground, r.background};
}

} // namespace gf

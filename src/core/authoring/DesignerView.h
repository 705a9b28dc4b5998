#pragma once
// What both designer windows show of the rows and commands: the columns and their share of the
// list's width, the commands with their texts, the sound modes' tips, and a row's column texts.
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

// The commands along the top, as both windows show them from the left: the rows' five, then
// the template's three. Package asks for a file first, so each window runs it itself.
enum class DesignerCommand { Insert, Delete, MoveUp, MoveDown, Clear, Load, Save, Package };
struct DesignerCommandText {
    DesignerCommand command;
    std::string_view name;  // under a tool button's icon
    std::string_view label; // on a push button, with its access key
    std::string_view tip;
};
inline constexpr std::array<DesignerCommandText, 8> kDesignerCommands = {{
    {DesignerCommand::Insert, "Insert", "&Insert", "Insert An Item"},
    {DesignerCommand::Delete, "Delete", "&Delete", "Delete An Item"},
    {DesignerCommand::MoveUp, "Up", "&Up", "Move Item Up"},
    {DesignerCommand::MoveDown, "Down", "Do&wn", "Move Item Down"},
    {DesignerCommand::Clear, "Clear", "&Clear", "Clear All Items"},
    {DesignerCommand::Load, "Load", "&Load...", "Load Template"},
    {DesignerCommand::Save, "Save", "&Save...", "Save Template"},
    {DesignerCommand::Package, "Package", "&Package...", "Create a standalone SCR"},
}};
namespace designer_tips {
inline constexpr std::string_view kHelp = "Help Contents", kDone = "Close the designer";
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

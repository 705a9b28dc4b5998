#pragma once
// The questions and dialogs the template designer puts to the user.
#include "base/EntryEditorResults.h"

#include <optional>
#include <string>
#include <string_view>

namespace gf {

// What the slide entry editor opens with for one row.
struct EditRequest {
    std::string defaultFolder; // where the pickers open when nothing was accepted before
    std::string imageFolder;   // the folder of the row's existing picture; empty: don't move
    std::string soundFolder;
    std::string image, sound, dissolve;
    std::string comment; // real line breaks
    std::string background, foreground;
};

struct ChosenTemplate {
    std::string Selection;     // full path
    std::string SelectionPath; // its folder with trailing separator
};

class DesignerDialogs {
  public:
    virtual ~DesignerDialogs() = default;
    // "The template file has changed... Do you want to save it?"; true for Yes.
    virtual bool ConfirmSave() = 0;
    // The save dialog, proposing `proposal`; nothing when cancelled.
    virtual std::optional<std::string> askSavePath(std::string_view proposal) = 0;
    // The template chooser; an empty Selection when nothing was chosen.
    virtual ChosenTemplate chooseTemplate() = 0;
    // The slide entry editor, shown modally; its results afterwards.
    virtual EntryEditorResults editEntry(const EditRequest& request) = 0;
    virtual void showError(std::string_view message) = 0;
    // A warning with Yes and No buttons; true for Yes.
    virtual bool askYesNo(std::string_view message) = 0;
};

} // namespace gf

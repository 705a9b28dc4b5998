#pragma once
// What the settings dialog's logic needs of its window: the folder lists of the two panels,
// the designer, and message boxes.
#include <optional>
#include <string>
#include <string_view>

namespace gf {

class SettingsDialogView {
  public:
    virtual ~SettingsDialogView() = default;
    // Moves the template panel's (or folder panel's) lists to a folder; a missing folder leaves
    // them where they are.
    virtual void moveTemplateLists(std::string_view folder) = 0;
    virtual void moveFolderLists(std::string_view folder) = 0;
    // Shows the template designer modally on `templateName` ("" for a new template) and returns
    // the path of its current template when it closes; nothing when no designer is available.
    virtual std::optional<std::string> runDesigner(std::string_view templateName) = 0;
    // The question with OK and Cancel; true for OK.
    virtual bool askOkCancel(std::string_view text) = 0;
    virtual void showError(std::string_view text) = 0;
};

} // namespace gf

#pragma once
// The designer's questions and dialogs on Windows: message boxes, the save dialogs, the
// template chooser and the slide entry editor, all owned by the designer's window.
#include "core/settings/StartupState.h"
#include "platform/DesignerDialogs.h"
#include "win32/support/FilePicker.h"

#include <windows.h>

namespace gf {

class Win32DesignerDialogs final : public DesignerDialogs {
  public:
    explicit Win32DesignerDialogs(ProcessState& process) : process_(process) {}
    void setOwner(HWND owner) { owner_ = owner; }

    bool ConfirmSave() override;
    std::optional<std::string> askSavePath(std::string_view proposal) override;
    ChosenTemplate chooseTemplate() override;
    EntryEditorResults editEntry(const EditRequest& request) override;
    void showError(std::string_view message) override;
    bool askYesNo(std::string_view message) override;

    // The package's file: "ScreenSaver Files (*.scr)", proposing `name` in `folder`.
    std::optional<std::string> askPackagePath(std::string_view name, std::string_view folder);

  private:
    // The path chosen; nothing when cancelled or when the dialog failed (then the user is told).
    std::optional<std::string> chosen(const FilePicker::Choice& choice);

    ProcessState& process_;
    HWND owner_ = nullptr;
};

} // namespace gf

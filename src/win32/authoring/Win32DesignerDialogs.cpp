#include "win32/authoring/Win32DesignerDialogs.h"

#include "core/authoring/TemplateDesigner.h"
#include "core/files/Paths.h"
#include "win32/authoring/Win32EntryEditDialog.h"
#include "win32/authoring/Win32TemplateLoadDialog.h"
#include "win32/support/FilePicker.h"
#include "windows/Utf16.h"

namespace gf {

namespace {

const std::wstring kCaption = ToUtf16(kDesignerCaption);

} // namespace

bool Win32DesignerDialogs::ConfirmSave() {
    return MessageBoxW(owner_, ToUtf16(kConfirmSaveQuestion).c_str(), kCaption.c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::optional<std::string> Win32DesignerDialogs::askSavePath(std::string_view proposal) {
    FilePicker picker(owner_);
    picker.title("Save Template")
        .filters({{"Text Files (*.txt)", "*.txt"}, {"All Files (*.*)", "*.*"}})
        .defaultExtension("txt");
    if (!proposal.empty())
        picker.startAt(proposal);
    return chosen(picker.saveFile());
}

std::optional<std::string> Win32DesignerDialogs::askPackagePath(std::string_view name,
                                                                std::string_view folder) {
    FilePicker picker(owner_);
    picker.title("Create a standalone SCR")
        .filters({{"ScreenSaver Files (*.scr)", "*.scr"}, {"All Files (*.*)", "*.*"}})
        .defaultExtension("scr")
        .startAt(FullPath(folder, name));
    return chosen(picker.saveFile());
}

std::optional<std::string> Win32DesignerDialogs::chosen(const FilePicker::Choice& choice) {
    if (!choice) {
        showError(std::string(kAuthoringErrorPrefix) + choice.message());
        return std::nullopt;
    }
    return *choice;
}

ChosenTemplate Win32DesignerDialogs::chooseTemplate() {
    Win32TemplateLoadDialog dialog(process_);
    dialog.run(owner_);
    return {dialog.Selection(), dialog.SelectionPath()};
}

EntryEditorResults Win32DesignerDialogs::editEntry(const EditRequest& request) {
    Win32EntryEditDialog dialog(process_);
    dialog.run(owner_, request);
    return dialog.results();
}

void Win32DesignerDialogs::showError(std::string_view message) {
    MessageBoxW(owner_, ToUtf16(message).c_str(), kCaption.c_str(), MB_OK | MB_ICONWARNING);
}

bool Win32DesignerDialogs::askYesNo(std::string_view message) {
    return MessageBoxW(owner_, ToUtf16(message).c_str(), kCaption.c_str(),
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

} // namespace gf

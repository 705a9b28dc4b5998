#pragma once
// "Glimmerframe Settings" on Windows: the dialog over SettingsDialogModel. Picture source (mode
// boxes, path box, the help text or the drive, folder and file lists), show options, the maker's
// strip, Done (Enter) and Cancel (Escape), and the Help menu.
#include "core/settings_dialog/SettingsDialogModel.h"
#include "win32/support/DirectoryLists.h"
#include "win32/support/Win32AdStrip.h"
#include "win32/support/Win32Dialog.h"
#include "win32/support/Win32HelpHost.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace gf {

// Opens the template designer modally over `owner` on a template path ("" for a new one) and
// returns the path of the template it holds when it closes.
using DesignerHook =
    std::function<std::optional<std::string>(HWND owner, std::string_view templateName)>;

class Win32SettingsDialog final : public Win32Dialog, private SettingsDialogView {
  public:
    // `designer` null: "Create" and "Edit" do nothing. `browser`: how guide pages reach the
    // browser when there is no HTML Help (tests record it).
    Win32SettingsDialog(ProcessState& process, SettingsStore& store, DesignerHook designer = {},
                        Win32HelpHost::Opener browser = {});
    ~Win32SettingsDialog() override;

    SettingsDialogModel& model() { return model_; }

  private:
    void create() override;
    void arrange() override;
    bool command(int id, int code, HWND control) override;
    bool notify(const NMHDR& header, INT_PTR& result) override;
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    // Puts the model's state into the controls without running their handlers.
    void syncFromModel();
    // The client height in units of all but the panel (help text or lists).
    int heightBesidesPanel() const;
    // The width in units the help text is broken into lines at.
    int helperTextWidth() const;
    void updateHelperScrollBar();
    void scrolled(HWND bar, int request);
    void done();
    void browse();

    void moveTemplateLists(std::string_view folder) override;
    void moveFolderLists(std::string_view folder) override;
    std::optional<std::string> runDesigner(std::string_view templateName) override;
    bool askOkCancel(std::string_view text) override;
    void showError(std::string_view text) override;

    SettingsDialogModel model_;
    DesignerHook designer_;
    Win32HelpHost::Opener browser_;
    bool syncing_ = false;

    HWND source_ = nullptr, show_ = nullptr;
    HWND chkFolderMode_ = nullptr, chkTemplateMode_ = nullptr, txtImageListFile_ = nullptr,
         pathLabel_ = nullptr;
    HWND cmdSelectFolder_ = nullptr, cmdSelectTemplate_ = nullptr;
    HWND cmdCreateTemplate_ = nullptr, cmdEditTemplate_ = nullptr;
    HWND txtHelper_ = nullptr;
    HWND folderLabel_ = nullptr, cmdBrowse_ = nullptr;
    DirectoryLists templateLists_, folderLists_;
    HWND frames_[4] = {};     // Order, Size, Placement, Screens
    HWND options_[4][2] = {}; // each pair: first, second
    HWND comboLabel_ = nullptr, Combo1_ = nullptr;
    HWND scrolls_[4] = {}, scrollLabels_[4] = {};
    HWND chkIgnoreMouse_ = nullptr, chkDisableSound_ = nullptr, chkIncludeSubfolders_ = nullptr;
    HWND captionLabel_ = nullptr, cmbCaption_ = nullptr;
    HWND imgBrindlewick_ = nullptr, lblBrindlewick_ = nullptr;
    std::unique_ptr<Win32AdStrip> adStrip_;
    int stripHeight_ = 52; // units
    HWND cmdCancel_ = nullptr, cmdExit_ = nullptr;
};

} // namespace gf

#pragma once
// A drive list, a folder list and a file list that move together, as the settings dialog's two
// panels show them: the system's drives, its folder list (LB_DIR: "[..]" and "[name]"), and the
// folder's files matching the panel's patterns (every file when there are none).
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace gf {

class DirectoryLists {
  public:
    // What a command of one of the three lists did.
    enum class Change { None, Folder, FileClicked };

    DirectoryLists() = default;
    // The three controls (made by the dialog) and the file patterns ("*.jpg", ...).
    void attach(HWND drives, HWND folders, HWND files, std::vector<std::string> patterns);

    // Moves the lists to a folder; false, and the lists where they were, when it cannot be read.
    bool goToFolder(std::string_view folder);
    // The folder the lists stand in, with a trailing "\"; empty before the first move.
    const std::string& folder() const { return folder_; }
    // The selected file's name (without folder); empty when none is.
    std::string selectedFile() const;
    // Selects a file of the list by name; false when it is not there.
    bool selectFile(std::string_view name);

    // WM_COMMAND of one of the controls: a new drive, a folder opened (double click), a file
    // clicked.
    Change command(HWND control, int code);
    // Enter in the folder list opens the selected folder: true when it was handled.
    bool enterSelectedFolder();
    bool owns(HWND control) const {
        return control && (control == drives_ || control == folders_ || control == files_);
    }
    HWND drives() const { return drives_; }
    HWND folders() const { return folders_; }
    HWND files() const { return files_; }
    void show(bool visible) const;

    // The folder a list entry leads to from `folder`: "[..]" its parent, "[name]" that
    // subfolder, "C:" or "[-c-]" the drive's root; empty for anything else.
    static std::string FolderOfEntry(std::string_view folder, std::string_view entry);

  private:
    void fillFiles();
    void selectDrive();

    HWND drives_ = nullptr, folders_ = nullptr, files_ = nullptr;
    std::vector<std::string> patterns_;
    std::string folder_;
};

} // namespace gf

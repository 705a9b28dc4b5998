#pragma once
// The drive, folder and file lists of the authoring dialogs: a drive box, the folder shown in
// full, its subfolders ("..", then by name; a double-click or Enter opens one) and its files
// that match the patterns. Created inside a window, which hands it its commands.
#include "platform/FileSystem.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace gf {

class FolderLists {
  public:
    // The controls take the ids firstId to firstId + 3.
    FolderLists(FileSystem& files, int firstId, std::vector<std::string> patterns)
        : files_(files), firstId_(firstId), patterns_(std::move(patterns)) {}

    void create(HWND parent, HFONT font);
    // Places the lists in the rectangle (device pixels); lineHeight is the font's.
    void layout(const RECT& area, int lineHeight, int gap);
    // True when the command was one of the lists'.
    bool command(int id, int code);

    // Shows a folder; false (and the lists stay) when it can't be listed.
    bool goToFolder(std::string_view folder);
    // The folder shown, with a trailing separator; empty before the first.
    const std::string& folder() const { return folder_; }
    // The file selected in the file list; empty for none.
    std::string selectedFile() const;
    HWND fileList() const { return files_list_; }

    std::function<void()> folderChanged;
    std::function<void(const std::string& name)> fileClicked;
    std::function<void(const std::string& name)> fileDoubleClicked;

  private:
    void fillDrives();
    void openSelectedFolder();
    static LRESULT CALLBACK FolderKeys(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    FileSystem& files_;
    int firstId_;
    std::vector<std::string> patterns_;
    std::string folder_;
    std::vector<std::string> subfolders_; // as the folder list shows them, ".." first
    HWND drives_ = nullptr, path_ = nullptr, folders_ = nullptr, files_list_ = nullptr;
};

} // namespace gf

#pragma once
// The picker of the authoring dialogs: the settings dialog's drive, folder and file lists with
// the folder shown in full above them, Enter opening a folder, a double-click on a file, and
// what changed handed on. Created inside a window, which hands it its commands.
#include "win32/support/DirectoryLists.h"

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace gf {

class FolderLists {
  public:
    // The controls take the ids firstId to firstId + 3.
    FolderLists(int firstId, std::vector<std::string> patterns)
        : firstId_(firstId), patterns_(std::move(patterns)) {}

    void create(HWND parent, HFONT font);
    // Places the lists in the rectangle (device pixels); lineHeight is the font's.
    void layout(const RECT& area, int lineHeight, int gap);
    // True when the command was one of the lists'.
    bool command(int id, int code, HWND control);

    // Shows a folder; false (and the lists stay) when it can't be listed.
    bool goToFolder(std::string_view folder);
    // The folder shown, with a trailing separator; empty before the first.
    const std::string& folder() const { return lists_.folder(); }
    // The file selected in the file list; empty for none.
    std::string selectedFile() const { return lists_.selectedFile(); }

    // Where the lists open when no folder is known: the user's profile folder.
    static std::string HomeFolder();

    std::function<void()> folderChanged;
    std::function<void(const std::string& name)> fileClicked;
    std::function<void(const std::string& name)> fileDoubleClicked;

  private:
    void moved();
    static LRESULT CALLBACK FolderKeys(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    int firstId_;
    std::vector<std::string> patterns_;
    DirectoryLists lists_;
    HWND path_ = nullptr;
    std::wstring typed_; // what was typed into the folder list lately
    DWORD typedAt_ = 0;
};

} // namespace gf

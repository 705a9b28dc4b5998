#pragma once
// The system's Open and Save dialogs, and its folder picker (FOS_PICKFOLDERS), over the owner
// window. Each call runs in a single-threaded COM apartment of its own for the dialog.
#include "base/Result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace gf {

// A choice in the dialog's file-type list: "Templates" with "*.txt;*.lst".
struct FileTypeFilter {
    std::string name;
    std::string patterns;
};

class FilePicker {
  public:
    // What a dialog gives back: the chosen path, or nothing when the user cancelled.
    using Choice = Result<std::optional<std::string>>;

    explicit FilePicker(HWND owner) : owner_(owner) {}

    FilePicker& title(std::string_view text);
    // Where the dialog opens: a folder, or a file (its folder; Save suggests its name). A place
    // that does not exist opens at its nearest existing parent.
    FilePicker& startAt(std::string_view path);
    FilePicker& filters(std::vector<FileTypeFilter> types);
    // Added to a typed name without one, in Save: "txt".
    FilePicker& defaultExtension(std::string_view extension);

    Choice openFile() const;
    Choice saveFile() const;
    Choice pickFolder() const;

    // Where a dialog told to start at `path` opens: its nearest existing folder, and the name of
    // the file it named there (empty for a folder).
    struct StartPlace {
        std::string folder, name;
    };
    static StartPlace StartOf(std::string_view path);
    // The patterns as the dialog takes them: "*.jpg; *.jpe" becomes "*.jpg;*.jpe".
    static std::string DialogPatterns(std::string_view patterns);

  private:
    enum class Kind { Open, Save, Folder };
    Choice run(Kind kind) const;

    HWND owner_;
    std::string title_, start_, extension_;
    std::vector<FileTypeFilter> filters_;
};

} // namespace gf

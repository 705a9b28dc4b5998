#pragma once
// What the help class needs of the system: where help files are installed, the program's
// folder, a file test, the help viewer and an error message box.
#include "base/Result.h"

#include <optional>
#include <string>
#include <string_view>

namespace gf {

class HelpHost {
  public:
    virtual ~HelpHost() = default;
    // The contents page of an installed help file with this name, if it is installed.
    virtual std::optional<std::string> registeredHelpFile(std::string_view name) const = 0;
    // Where a help file with this name belongs when it is installed with the program, for the
    // message that says it is missing.
    virtual std::string installedHelpFile(std::string_view name) const = 0;
    // The running program's folder, with a trailing separator.
    virtual std::string programFolder() const = 0;
    virtual bool fileExists(std::string_view path) const = 0;
    // Shows the file's table of contents; `owner` is the calling window or null.
    virtual Status displayContents(std::string_view path, const void* owner) = 0;
    // An error message box.
    virtual void showError(std::string_view caption, std::string_view text) = 0;
};

} // namespace gf

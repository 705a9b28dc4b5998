#include "core/help/HTMLHelp.h"

#include "core/files/Paths.h"
#include "core/text/Trim.h"

#include <cctype>

namespace gf {

namespace {
bool endsWith(std::string_view name, std::string_view tail) {
    if (name.size() < tail.size())
        return false;
    name.remove_prefix(name.size() - tail.size());
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) != tail[i])
            return false;
    return true;
}

} // namespace

bool IsCompiledHelp(std::string_view path) {
    return endsWith(path, ".chm");
}

std::string HtmlGuideFor(std::string_view helpFile) {
    return JoinPath(JoinPath(FolderOf(helpFile), kHelpFolder), kHelpContentsPage);
}

std::string HTMLHelp::ResolvedPath(const HelpHost& host) const {
    // A name with a folder part is taken as it stands.
    if (CHMFile.find_first_of("/\\") != std::string::npos)
        return CHMFile;
    if (auto installed = host.registeredHelpFile(CHMFile))
        return *installed;
    return JoinPath(JoinPath(host.programFolder(), kHelpFolder), kHelpContentsPage);
}

std::string HTMLHelp::MissingText(const HelpHost& host) const {
    const std::string path = ResolvedPath(host);
    const bool lookedUp = CHMFile.find_first_of("/\\") == std::string::npos;
    const std::string installed = lookedUp ? host.installedHelpFile(CHMFile) : path;
    const std::string what = installed == path ? "The file " + path + " does not exist."
                                               : "The help file " + installed +
                                                     " does not exist, nor the guide " + path +
                                                     " that stands in for it.";
    return what + "\nPlease make sure that the Glimmerframe help files are installed.";
}

std::string HTMLHelp::GuidePage(const HelpHost& host, std::string_view pageAndSection) const {
    return FolderOf(ResolvedPath(host)) + std::string(pageAndSection);
}

Status HTMLHelp::HHDisplayContents(HelpHost& host, const void* CallingForm) const {
    // The old check, kept as it was: the last three letters, dot or none.
    if (!endsWith(CHMFile, "chm"))
        host.showError(kHelpMessageCaption, CHMFile + " is not a valid HTML Help file.");
    const std::string path = ResolvedPath(host);
    if (!host.fileExists(path)) {
        host.showError(kHelpMessageCaption, MissingText(host));
        return {};
    }
    const void* owner = HHShowOnTop ? CallingForm : nullptr;
    std::string target = path;
    if (const auto window = Trim(HHWindow); !window.empty())
        target += ">" + std::string(window);
    return host.displayContents(target, owner);
}

std::optional<HelpNotice> ShowHelpContents(HelpHost& host, std::string_view helpFile,
                                           const void* caller) {
    if (helpFile.empty())
        return HelpNotice{std::string(kNoHelpText), true};
    HTMLHelp help;
    help.CHMFile = std::string(helpFile);
    if (const Status status = help.HHDisplayContents(host, caller); !status.ok())
        return HelpNotice{status.message()};
    return std::nullopt;
}

} // namespace gf

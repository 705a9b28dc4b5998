#pragma once
// Opens the table of contents of the product's help file. A compiled help name such as
// "Glimmerframe.chm" stands for the HTML guide installed for it, or the guide in "help/" beside
// the program when it is not installed (a build tree).
#include "base/Result.h"
#include "platform/HelpHost.h"

#include <optional>
#include <string>
#include <string_view>

namespace gf {

inline constexpr std::string_view kHelpFileName = "Glimmerframe.chm";
inline constexpr std::string_view kHelpMessageCaption = "ZizevurIZODIR! Error";
// The guide's contents page: "index.html" in the folder "help" (joined with the platform's own
// separator, so Windows shows help\index.html).
inline constexpr std::string_view kHelpFolder = "help";
inline constexpr std::string_view kHelpContentsPage = "index.html";

// A compiled help file's name: it ends in ".chm", in any letters.
bool IsCompiledHelp(std::string_view path);
// The HTML guide that stands in for a compiled help file where it cannot be shown: the contents
// page in "help" beside it.
std::string HtmlGuideFor(std::string_view helpFile);

inline constexpr std::string_view kNoHelpText =
    "Unable to display Help Contents. There is no Help associated with this project.";

// What a window tells its user instead of showing help: only information (there is no help
// file), or why the help could not be shown.
struct HelpNotice {
    std::string text;
    bool information = false;
};

// Help > Contents of the window `caller`: the table of contents of `helpFile`, or what to say.
std::optional<HelpNotice> ShowHelpContents(HelpHost& host, std::string_view helpFile,
                                           const void* caller);

class HTMLHelp {
  public:
    std::string CHMFile;
    std::string HHWindow;
    bool HHShowOnTop = false;

    // Resolves, checks and shows the contents; the class's own messages go to the host's
    // message box. A failing viewer is returned for the caller to report.
    Status HHDisplayContents(HelpHost& host, const void* CallingForm = nullptr) const;
    // The file that HHDisplayContents would open.
    std::string ResolvedPath(const HelpHost& host) const;
    // What to tell the user when ResolvedPath does not exist: every file that was looked for.
    std::string MissingText(const HelpHost& host) const;
    // Another page of the same guide, beside its contents page: "version.html" or
    // "index.html#templates" (a section).
    std::string GuidePage(const HelpHost& host, std::string_view pageAndSection) const;
};

} // namespace gf

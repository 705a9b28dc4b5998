#pragma once
// One Package... of the designer, without its window: the empty rows dropped for the write and
// a blank row put back after, the request, the progress as the bar shows it, cancelling, and
// what the user is told at the end. The window runs run() on a worker and draws the rest.
#include "core/authoring/TemplateDesigner.h"
#include "core/package/PackageProgram.h"
#include "core/package/PackageWriter.h"

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// The kinds of package the save dialog offers, as its filters, and the program each is written
// from; a Windows screen saver can be made wherever the Windows program is installed.
struct PackageFileType {
    std::string_view filter;
    PackageProgram program;
};
inline constexpr std::array<PackageFileType, 3> kPackageFileTypes{{
    {"ScreenSaver Files (*.scr)", PackageProgram::ThisProgram},
    {"Windows screen saver (*.scr)", PackageProgram::WindowsX64},
    {"All Files (*)", PackageProgram::ThisProgram},
}};
// The program of the chosen filter; this program for a filter not offered.
PackageProgram PackageProgramForFilter(std::string_view filter);

// What the window shows when the write has ended: the written line, an error to report, or
// neither (the user cancelled).
struct PackageOutcome {
    std::optional<std::string> written;
    std::optional<std::string> error;
};

class PackageJob {
  public:
    static constexpr std::string_view kFirstStep = "Writing Executable File";

    // Takes the empty rows out of the designer and clears its selection.
    // `programPath` is the running program; `program` says whether it or a Windows program
    // found from it is copied.
    PackageJob(TemplateDesigner& designer, const Settings& settings, std::string programPath,
               std::string target, PackageProgram program = PackageProgram::ThisProgram);
    PackageJob(const PackageJob&) = delete;
    PackageJob& operator=(const PackageJob&) = delete;

    const PackageWriteRequest& request() const { return request_; }

    // On the worker: writes the package. `news` is called when the progress has changed and
    // the window has not yet taken the previous news, so a slow window is not flooded.
    void run(FileSystem& files, std::function<void()> news);
    // From any thread: stops the write at the next block.
    void cancel() { cancelled_ = true; }

    // On the window's thread: the latest progress; takes the news.
    PackageWriteProgress latest();
    // The bar's value: rows done of 100.
    static int Percent(const PackageWriteProgress& progress);

    // On the window's thread once run() has returned: the blank row comes back; what to show.
    PackageOutcome finish();

  private:
    TemplateDesigner& designer_;
    bool removedEmpty_;
    PackageProgram program_;
    std::vector<DesignerRow> rows_;
    PackageWriteRequest request_;
    std::atomic<bool> cancelled_{false}, newsPending_{false};
    std::mutex lock_;
    PackageWriteProgress progress_;
    std::optional<Result<PackageWritten>> result_;
};

} // namespace gf

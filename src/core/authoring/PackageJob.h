#pragma once
// One Package... of the designer, without its window: the empty rows dropped for the write and
// a blank row put back after, the request, the progress as the bar shows it, cancelling, and
// what the user is told at the end. The window runs run() on a worker and draws the rest.
#include "core/authoring/TemplateDesigner.h"
#include "core/package/PackageWriter.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

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
    PackageJob(TemplateDesigner& designer, const Settings& settings, std::string programPath,
               std::string target);
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
    std::vector<DesignerRow> rows_;
    PackageWriteRequest request_;
    std::atomic<bool> cancelled_{false}, newsPending_{false};
    std::mutex lock_;
    PackageWriteProgress progress_;
    std::optional<Result<PackageWritten>> result_;
};

} // namespace gf

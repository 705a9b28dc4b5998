#include "core/authoring/PackageJob.h"

#include <utility>

namespace gf {

PackageProgram PackageProgramForFilter(std::string_view filter) {
    for (const auto& type : kPackageFileTypes)
        if (type.filter == filter)
            return type.program;
    return PackageProgram::ThisProgram;
}

PackageJob::PackageJob(TemplateDesigner& designer, const Settings& settings,
                       std::string programPath, std::string target, PackageProgram program)
    : designer_(designer), removedEmpty_(designer.dropEmptyRows()), program_(program),
      rows_(designer.rows().rows()) {
    request_.programPath = std::move(programPath);
    request_.rows = rows_;
    request_.soundMode = designer.soundMode();
    request_.settings = settings;
    request_.targetPath = std::move(target);
    request_.templatePath = designer.TemplateName();
    request_.cancelled = [this] { return cancelled_.load(); };
    progress_.label = kFirstStep;
}

void PackageJob::run(FileSystem& files, std::function<void()> news) {
    request_.progress = [this, &news](const PackageWriteProgress& p) {
        {
            const std::lock_guard hold(lock_);
            progress_ = p;
        }
        if (!newsPending_.exchange(true) && news)
            news();
    };
    auto programFile = FindPackageProgram(files, program_, request_.programPath);
    if (programFile && *programFile != request_.programPath) {
        request_.runningProgramPath = std::move(request_.programPath);
        request_.programPath = std::move(*programFile);
    }
    auto result =
        programFile ? WritePackage(files, request_) : Result<PackageWritten>(programFile.error());
    const std::lock_guard hold(lock_);
    result_.emplace(std::move(result));
}

PackageWriteProgress PackageJob::latest() {
    newsPending_ = false;
    const std::lock_guard hold(lock_);
    return progress_;
}

int PackageJob::Percent(const PackageWriteProgress& p) {
    return p.rowCount ? int(double(p.rowsDone) / double(p.rowCount) * 100.0) : 0;
}

PackageOutcome PackageJob::finish() {
    if (removedEmpty_)
        designer_.restoreBlankRow();
    removedEmpty_ = false;
    const std::lock_guard hold(lock_);
    if (!result_)
        return {};
    if (*result_)
        return {PackageWrittenText(request_.targetPath, **result_), std::nullopt};
    return {std::nullopt, PackageWriteFailureText(result_->error())};
}

} // namespace gf

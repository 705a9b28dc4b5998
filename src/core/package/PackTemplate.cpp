#include "core/package/PackTemplate.h"

#include "core/template/DesignerTemplateReader.h"
#include "core/template/SlideListLoader.h"

namespace gf {

Result<PackageWritten> PackTemplate(FileSystem& files, std::string_view templatePath,
                                    std::string_view outputPath, std::string_view programPath,
                                    const Settings& settings,
                                    std::function<void(const PackageWriteProgress&)> progress,
                                    std::string_view runningProgram) {
    auto read = ReadDesignerTemplate(files, templatePath, 1);
    if (read.error)
        return Error{*read.error};
    // A package of sounds alone would show nothing but the banner.
    if (!read.hasPicture())
        return Error{NoPicturesInTemplate(templatePath)};
    PackageWriteRequest request;
    request.programPath = std::string(programPath);
    if (runningProgram != programPath)
        request.runningProgramPath = std::string(runningProgram);
    request.rows = read.rows;
    request.soundMode = read.soundMode;
    request.settings = settings;
    request.targetPath = std::string(outputPath);
    request.templatePath = std::string(templatePath);
    request.progress = std::move(progress);
    return WritePackage(files, request);
}

} // namespace gf

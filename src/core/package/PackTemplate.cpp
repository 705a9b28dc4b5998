#include "core/package/PackTemplate.h"

#include "core/show/DesignerTemplateReader.h"

namespace gf {

Result<PackageWritten> PackTemplate(FileSystem& files, std::string_view templatePath,
                                    std::string_view outputPath, std::string_view programPath,
                                    const Settings& settings,
                                    std::function<void(const PackageWriteProgress&)> progress) {
    auto read = ReadDesignerTemplate(files, templatePath, 1);
    if (read.error)
        return Error{*read.error};
    if (read.rows.empty())
        return Error{"The template " + std::string(templatePath) +
                     " names no pictures or sounds; there is nothing to pack."};
    PackageWriteRequest request;
    request.programPath = std::string(programPath);
    request.rows = read.rows;
    request.soundMode = read.soundMode;
    request.settings = settings;
    request.targetPath = std::string(outputPath);
    request.templatePath = std::string(templatePath);
    request.progress = std::move(progress);
    return WritePackage(files, request);
}

} // namespace gf

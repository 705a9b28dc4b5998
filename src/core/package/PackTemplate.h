#pragma once
// The command-line package build: a template read as the designer reads it, written by the
// package writer.
#include "core/package/PackageWriter.h"

#include <string_view>

namespace gf {

// The template's rows and sound mode (the mode of a template without a sound-mode line is 1).
// `runningProgram` is given when `programPath` is another program (PackageWriteRequest).
Result<PackageWritten> PackTemplate(FileSystem& files, std::string_view templatePath,
                                    std::string_view outputPath, std::string_view programPath,
                                    const Settings& settings,
                                    std::function<void(const PackageWriteProgress&)> progress,
                                    std::string_view runningProgram = {});

} // namespace gf

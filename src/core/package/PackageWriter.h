#pragma once
// Writes a stand-alone package: the program file, the rows' pictures and sounds in 1025-byte
// blocks, the directory and the trailer. Everything is checked and sized before a byte is
// written; the package is written beside the target and renamed over it only when complete.
#include "base/Result.h"
#include "core/settings/Settings.h"
#include "core/template/DesignerRow.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace gf {

// The trailer's eight-digit numbers describe packages below this size.
inline constexpr std::uint64_t kMaxPackageSize = 100'000'000;

struct PackageWriteProgress {
    std::size_t rowsDone = 0, rowCount = 0;
    std::uint64_t bytesDone = 0, byteCount = 0;
    std::string label; // "Writing Executable File", "Appending Images", "Appending Sounds"
};

struct PackageWriteRequest {
    std::string programPath; // copied first; also the file that must never be overwritten
    // The running program when programPath is another one (a Windows program): never
    // overwritten either. Empty: programPath is the running program.
    std::string runningProgramPath;
    std::span<const DesignerRow> rows; // rows with neither picture nor sound name are skipped
    int soundMode = 1;                 // 1, 2 or 3
    Settings settings;                 // the first group goes into the trailer
    std::string targetPath;
    // The template the rows came from, if any: like the program and every picture and sound,
    // never overwritten, whatever spelling of its path the target uses.
    std::string templatePath;
    // Called as the work advances, at least once per row; on the writing thread.
    std::function<void(const PackageWriteProgress&)> progress;
    // Polled between blocks; true stops the writing with a Cancelled error.
    std::function<bool()> cancelled;
};

struct PackageWritten {
    std::uint64_t size = 0;
    std::int64_t directoryPosition = 0;
    std::size_t count = 0;
};

// What a successful write tells the user: "Wrote /shows/beach.scr: 7 slides, 1,234,567 bytes."
std::string PackageWrittenText(std::string_view path, const PackageWritten& written);

// What the designer tells the user of a failed write: a missing file's message as it is, any
// other with the authoring windows' error prefix; nothing for a cancel.
std::optional<std::string> PackageWriteFailureText(const Error& error);

// The package's file name proposed for a template: its name cut before the extension
// ("beach" for /shows/beach.txt); nothing when the template has no name or no extension.
std::optional<std::string> ProposePackageName(std::string_view templateName);

// Checks every file, the row count and the final size, then writes. On any failure or cancel
// the target is as it was and nothing partial remains; the message says why.
Result<PackageWritten> WritePackage(FileSystem& files, const PackageWriteRequest& request);

} // namespace gf

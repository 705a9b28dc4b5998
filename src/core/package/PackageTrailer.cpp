#include "core/package/PackageTrailer.h"

#include "core/settings/SettingsLoader.h"
#include "core/text/Trace.h"
#include "core/text/Trim.h"

#include <algorithm>

#include <cstdio>
#include <optional>

namespace gf {

namespace {

std::optional<std::int64_t> parseNumberLine(std::string_view line) {
    const auto digits = Trim(line, " ");
    if (digits.empty() || digits.size() > 9)
        return std::nullopt;
    std::int64_t v = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

} // namespace

Result<std::string> ReadTrailerMark(const BinaryFile& file) {
    if (file.size() < 14)
        return Error{file.path() + " is too short to be a package"};
    auto text = file.readText(file.size() - 14, 14);
    if (!text)
        return text.error();
    std::string_view field = *text;
    field.remove_prefix(std::min(field.find_first_not_of(' '), field.size()));
    field = field.substr(0, field.find_first_of(",\r\n"));
    return std::string(field);
}

bool IsPackage(FileSystem& files, std::string_view path) {
    auto file = BinaryFile::open(files, path);
    if (!file)
        return false;
    auto mark = ReadTrailerMark(*file);
    return mark && *mark == kPackageMark;
}

Result<PackageTrailer> ReadPackageTrailer(const BinaryFile& file) {
    const std::string damaged =
        "The package " + file.path() + " is damaged: its trailer cannot be read";
    if (file.size() < kTrailerSize)
        return Error{damaged};
    auto tail = file.readText(file.size() - kTrailerSize, kTrailerSize);
    if (!tail)
        return tail.error();
    if (auto mark = ReadTrailerMark(file);
        !mark || *mark != kPackageMark || tail->substr(90) != std::string(kPackageMark) + "\r\n")
        return Error{file.path() + " is not a package"};
    std::int64_t values[9];
    for (int i = 0; i < 9; ++i) {
        auto chunk = std::string_view(*tail).substr(static_cast<std::size_t>(i) * 10, 10);
        if (chunk.substr(8) != "\r\n")
            return Error{damaged};
        auto v = parseNumberLine(chunk.substr(0, 8));
        if (!v)
            return Error{damaged};
        values[i] = *v;
    }
    PackageTrailer t;
    t.ImageInterval = static_cast<std::int32_t>(values[0]);
    t.FullScreen = static_cast<std::int32_t>(values[1]);
    t.ImagePositionRandom = static_cast<std::int32_t>(values[2]);
    t.ImageOrderRandom = static_cast<std::int32_t>(values[3]);
    t.MouseSensitivity = static_cast<std::int32_t>(values[4]);
    t.IgnoreMouse = static_cast<std::int32_t>(values[5]);
    t.DissolveDelay = static_cast<std::int32_t>(values[6]);
    t.directoryPosition = values[7];
    t.count = values[8];
    // The directory lies between the program copy and the trailer.
    if (t.directoryPosition < 1 ||
        static_cast<std::uint64_t>(t.directoryPosition) > file.size() - kTrailerSize + 1)
        return Error{damaged};
    return t;
}

void ReadSCRConfig(FileSystem& files, std::string_view packagePath, Settings& s) {
    Trace("S: ReadSCRConfig");
    auto file = BinaryFile::open(files, packagePath);
    auto trailer = file ? ReadPackageTrailer(*file) : Result<PackageTrailer>(file.error());
    if (!trailer) {
        SetFirstGroupDefaults(s);
        return;
    }
    auto to16 = [](std::int32_t v) {
        return static_cast<std::int16_t>(std::min<std::int32_t>(v, 32767));
    };
    s.ImageInterval = to16(trailer->ImageInterval);
    s.FullScreen = to16(trailer->FullScreen);
    s.ImagePositionRandom = to16(trailer->ImagePositionRandom);
    s.ImageOrderRandom = to16(trailer->ImageOrderRandom);
    // Read back like the others: a package starts with the settings it was written with.
    s.MouseSensitivity = to16(trailer->MouseSensitivity);
    s.IgnoreMouse = to16(trailer->IgnoreMouse);
    s.DissolveDelay = to16(trailer->DissolveDelay);
    Trace("E: ReadSCRConfig");
}

std::string FormatPackageTrailer(const PackageTrailer& t) {
    std::string out;
    auto line = [&](std::int64_t v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%08lld\r\n", static_cast<long long>(v));
        out += buf;
    };
    for (auto v : {std::int64_t{t.ImageInterval}, std::int64_t{t.FullScreen},
                   std::int64_t{t.ImagePositionRandom}, std::int64_t{t.ImageOrderRandom},
                   std::int64_t{t.MouseSensitivity}, std::int64_t{t.IgnoreMouse},
                   std::int64_t{t.DissolveDelay}, t.directoryPosition, t.count})
        line(v);
    out += std::string(kPackageMark) + "\r\n";
    return out;
}

} // namespace gf

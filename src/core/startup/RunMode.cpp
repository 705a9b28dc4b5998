#include "core/startup/RunMode.h"

#include "core/files/PathParser.h"
#include "core/package/PackageTrailer.h"
#include "core/text/TextNumber.h"
#include "core/text/Trace.h"

#include <cctype>

namespace gf {

RunRequest ParseRunMode(std::string_view arguments) {
    std::string sw(arguments.substr(0, 2));
    for (auto& c : sw)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (sw.empty())
        sw = "/C";
    RunRequest r;
    auto number = [&] {
        return RoundToInt32(ReadNumber(arguments.size() > 2 ? arguments.substr(2) : ""));
    };
    if (sw == "/C")
        r.mode = RunMode::Settings;
    else if (sw == "/S")
        r.mode = RunMode::Show;
    else if (sw == "/P") {
        r.mode = RunMode::Preview;
        r.window = number();
    } else if (sw == "/A") {
        r.mode = RunMode::ChangePassword;
        r.window = number();
    }
    return r;
}

std::string BaseName(std::string_view path) {
    PathParser p(path);
    const auto& name = p.FileName();
    const auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool DetermineRunMode(FileSystem& files, StartupState& state) {
    Trace("S: DetermineRunMode");
    auto file = BinaryFile::open(files, state.programFile);
    if (!file) {
        Trace("E: DetermineRunMode With Error " + file.message());
        return false;
    }
    auto mark = ReadTrailerMark(*file);
    if (!mark) {
        Trace("E: DetermineRunMode With Error " + mark.message());
        return false;
    }
    if (*mark == kPackageMark) {
        state.ProductName = "Glimmerframe-" + BaseName(state.programFile);
        Trace("E: DetermineRunMode");
        return true;
    }
    Trace("E: DetermineRunMode");
    return false;
}

} // namespace gf

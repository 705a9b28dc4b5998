#pragma once
// The sample show that comes with the program: what a first run shows before the user has
// chosen pictures of their own.
#include "platform/FileSystem.h"

#include <optional>
#include <string>
#include <string_view>

namespace gf {

inline constexpr std::string_view kSampleShowFile = "sample-show.txt";

// A template: its folder (with the trailing separator) and its file name.
struct ShowFile {
    std::string folder;
    std::string file;
};

// The sample show beside the program ("samples/", a build tree) or in its installation
// ("../share/glimmerframe/samples/"); nothing when neither holds it.
std::optional<ShowFile> FindSampleShow(FileSystem& files, std::string_view programFolder);

} // namespace gf

#pragma once
// Joining folder and file names with the platform's separator.
#include "base/PathSeparator.h"

#include <string>
#include <string_view>

namespace gf {

inline constexpr char kSeparator = kPathSeparator;

// The path with a trailing separator; either "/" or "\" already present counts.
std::string AddBackslash(std::string_view path);

// The folder part of a path, with its trailing separator ("" when it has none).
std::string FolderOf(std::string_view path);

// `name` inside `folder`, with one separator between; `name` alone when there is no folder.
std::string JoinPath(std::string_view folder, std::string_view name);

// A relative path taken from `folder` ("/a" + "b.txt" is "/a/b.txt"); a full path, or any path
// when `folder` is empty, as it is.
std::string FullPath(std::string_view folder, std::string_view path);

} // namespace gf

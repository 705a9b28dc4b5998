#pragma once
// The slide list of a template, a folder or a package as JSON, built by the show's own readers.
#include "platform/FileSystem.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace gf {

struct SlideListing {
    std::string json;                 // always a complete document, ending in a line end
    std::optional<std::string> error; // also in the document's "error"
};

// A folder is read in folder mode (the pictures matching `picturePatterns`), a file that ends
// with the package mark as a package, any other path as a template whose folder is the image
// folder; a relative source is taken from `workingFolder`, so that the slides have full paths.
// A folder's subfolders are listed too with `includeSubfolders`, as the show lists them.
SlideListing ListSlideSource(FileSystem& files, std::span<const std::string> picturePatterns,
                             std::string_view source, std::string_view workingFolder = {},
                             bool includeSubfolders = false);

// A JSON string literal; text that is not UTF-8 is read as Windows-1252 first.
std::string JsonString(std::string_view text);

// A file name as a JSON string literal that gives the name's bytes back: UTF-8 as it is, and
// each byte that is not part of a UTF-8 character as the lone surrogate U+DC80 to U+DCFF
// ("\udcff" for the byte FF), as Python's "surrogateescape" reads names.
std::string JsonName(std::string_view name);

} // namespace gf

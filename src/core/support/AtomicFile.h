#pragma once
// Replacing a file's contents all at once: readers see the old file or the new one, never half.
#include "base/Result.h"
#include "platform/FileSystem.h"

#include <string_view>

namespace gf {

// Writes `bytes` to a new file beside `path` and renames it over `path` once complete; on any
// failure `path` is left as it was and the message names the file and the reason.
Status WriteFileAtomically(FileSystem& files, std::string_view path, std::string_view bytes);

} // namespace gf

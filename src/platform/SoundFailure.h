#pragma once
// How a sound player says that it cannot play a file: the file as it was given, and why in a
// sentence for people. Players call it on the show's thread, possibly from inside the call that
// gave them the file.
#include <functional>
#include <string>

namespace gf {

using SoundFailureHandler = std::function<void(const std::string& path, const std::string& why)>;

} // namespace gf

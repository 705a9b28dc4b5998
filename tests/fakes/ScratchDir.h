#pragma once
// A fresh private folder for the running test, removed with everything in it when this goes
// away; and the one way tests write and read whole files. Both go through the platform's real
// file system (RealFiles), with UTF-8 names.
#include <filesystem>
#include <string>
#include <string_view>

namespace gf::test {

class ScratchDir {
  public:
    explicit ScratchDir(std::string_view prefix);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` to `name` inside the folder (creating folders on the way); its full path.
    std::string write(std::string_view name, std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

// A path's UTF-8 text, and a path from UTF-8 text (a narrow std::filesystem::path is in the
// system's code page on Windows).
std::string Utf8(const std::filesystem::path& path);
std::filesystem::path PathOf(std::string_view utf8);

// The path with each "/" written as the platform's separator, as the program joins names.
std::string Native(std::string path);

// The whole file as bytes; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

} // namespace gf::test

#pragma once
// A fresh folder for the running test, removed with everything in it when this goes away.
#include <filesystem>
#include <string_view>

namespace gf::test {

class ScratchDir {
  public:
    explicit ScratchDir(std::string_view prefix);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace gf::test

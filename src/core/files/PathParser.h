#pragma once
// Splits a file path into folder part, file name and extension ("\" or "/" separators,
// optional drive colon). The parts are computed once when FileSpec is assigned.
#include <string>
#include <string_view>

namespace gf {

class PathParser {
  public:
    PathParser() = default;
    explicit PathParser(std::string_view fileSpec) { setFileSpec(fileSpec); }

    void setFileSpec(std::string_view fileSpec);
    const std::string& FileSpec() const { return fileSpec_; }
    // Everything before the file name, including the last separator (or the drive colon).
    const std::string& FilePath() const { return path_; }
    // Everything after the last separator.
    const std::string& FileName() const { return name_; }
    // Text after the last "." of the whole text; empty without one.
    const std::string& FileExtension() const { return extension_; }

  private:
    std::string fileSpec_, path_, name_, extension_;
};

} // namespace gf

#include "fakes/ScratchDir.h"

#include "base/PathSeparator.h"
#include "fakes/RealFiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>

namespace gf::test {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path PathOf(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

ScratchDir::ScratchDir(std::string_view prefix) {
    auto& files = RealFiles();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(prefix) + "-" + std::to_string(files.processId()) + "-";
    if (info)
        name += std::string(info->test_suite_name()) + "." + info->name() + "-";
    std::replace(name.begin(), name.end(), '/', '_'); // parameterised tests' names
    auto folder = files.createPrivateFolder(files.scratchRoot(), name);
    if (!folder.ok())
        throw std::runtime_error(folder.message());
    path_ = PathOf(*folder);
}

ScratchDir::~ScratchDir() {
    // Tests may lock the folder itself to provoke failures; open it again to clean up.
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, ec);
    (void)RealFiles().removeFolder(Utf8(path_));
}

std::string ScratchDir::write(std::string_view name, std::string_view bytes) const {
    auto p = path_ / PathOf(name);
    p.make_preferred(); // "a/b.txt" becomes "a\\b.txt" on Windows, as the program writes it
    fs::create_directories(p.parent_path());
    const std::string path = Utf8(p);
    auto file = RealFiles().createFile(path, NewFile::ReplaceExisting, FileAccess::Shared);
    if (!file.ok() || !(*file)->write(std::as_bytes(std::span(bytes.data(), bytes.size()))).ok() ||
        !(*file)->close().ok())
        ADD_FAILURE() << "Cannot write " << path;
    return path;
}

std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '/', kPathSeparator);
    return path;
}

std::string ReadFile(const fs::path& path) {
    auto file = RealFiles().openForReading(Utf8(path));
    if (!file.ok())
        return {};
    std::string bytes((*file)->size(), '\0');
    if (!(*file)->readAt(0, std::as_writable_bytes(std::span(bytes))).ok())
        return {};
    return bytes;
}

} // namespace gf::test

#include "fakes/ScratchDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace gf::test {

namespace fs = std::filesystem;

ScratchDir::ScratchDir(std::string_view prefix) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(prefix) + "-" + std::to_string(::getpid());
    if (info)
        name += std::string("-") + info->test_suite_name() + "." + info->name();
    path_ = fs::temp_directory_path() / name;
    std::error_code ec;
    fs::remove_all(path_, ec); // a leftover of a crashed run
    fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    // Tests may lock the folder itself to provoke failures; open it again to clean up.
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, ec);
    fs::remove_all(path_, ec);
}

std::string ScratchDir::write(std::string_view name, std::string_view bytes) const {
    const auto p = path_ / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace gf::test

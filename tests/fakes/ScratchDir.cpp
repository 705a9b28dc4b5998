#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>
#include <string>
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

} // namespace gf::test

#include "win32/support/DirectoryLists.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

// Where a double click in the folder list or a pick in the drive list leads.
TEST(DirectoryLists, EntriesLeadUpDownAndToDrives) {
    EXPECT_EQ(DirectoryLists::FolderOfEntry("C:\\Shows\\Beach\\", "[..]"), "C:\\Shows\\");
    EXPECT_EQ(DirectoryLists::FolderOfEntry("C:\\Shows", "[..]"), "C:\\");
    EXPECT_EQ(DirectoryLists::FolderOfEntry("C:\\", "[..]"), "C:\\"); // a root has no parent
    EXPECT_EQ(DirectoryLists::FolderOfEntry("C:\\Shows\\", "[Old [1]]"), "C:\\Shows\\Old [1]\\");
    EXPECT_EQ(DirectoryLists::FolderOfEntry("C:\\Shows\\", "d:"), "D:\\");
    EXPECT_EQ(DirectoryLists::FolderOfEntry("C:\\Shows\\", "[-e-]"), "E:\\");
    EXPECT_EQ(DirectoryLists::FolderOfEntry("C:\\Shows\\", "beach.txt"), "");
    EXPECT_EQ(DirectoryLists::FolderOfEntry("C:\\Shows\\", "[]"), "");
}

} // namespace
} // namespace gf

#include "core/show/FolderListing.h"
#include "base/PathSeparator.h"
#include "core/picture/PictureTypes.h"
#include "core/startup/ShowAssembly.h"
#include "core/template/SlideListLoader.h"
#include "fakes/FakePictureFormats.h"
#include "fakes/FakeShow.h"
#include "fakes/FaultyFileSystem.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace gf::test {
namespace {

// Holds the lister before it lists a folder whose path holds `name`, until opened.
class Gate {
  public:
    Gate(FaultyFileSystem& files, std::string name) : name_(std::move(name)) {
        files.beforeListing([this](std::string_view path) {
            std::unique_lock lock(mutex_);
            ++listed_;
            if (path.find(name_) != std::string_view::npos) {
                reached_ = true;
                changed_.notify_all();
                changed_.wait(lock, [this] { return open_; });
            }
        });
    }
    ~Gate() { open(); }
    void waitUntilReached() {
        std::unique_lock lock(mutex_);
        ASSERT_TRUE(changed_.wait_for(lock, std::chrono::seconds(20), [this] { return reached_; }))
            << "the lister never came to " << name_;
    }
    void open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    int listed() {
        const std::lock_guard lock(mutex_);
        return listed_;
    }

  private:
    std::string name_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool reached_ = false, open_ = false;
    int listed_ = 0;
};

// Fills `list` until the listing says it is complete, for at most 20 seconds.
bool FillUntilComplete(const FolderListing& listing, SlideList& list) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!listing.fillIn(list))
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return true;
}

struct Library {
    Library() {
        for (auto n : {"a.jpg", "1/b.jpg", "2/c.jpg", "notes.txt"})
            dir.write(n, "x");
    }
    std::string folder() const { return Utf8(dir.path()) + std::string(1, kPathSeparator); }
    ScratchDir dir{"library"};
    FaultyFileSystem files{RealFiles()};
};

// The show gets the folders listed so far while the rest is still being read, in the order of
// the whole listing, and the list is complete once the walk has ended.
TEST(FolderListing, TheShowTakesEachFolderAsItIsListed) {
    Library lib;
    Gate gate(lib.files, std::string(1, kPathSeparator) + "2");
    FolderListing listing(lib.files, lib.folder(), PicturePatterns(), true);
    gate.waitUntilReached();
    SlideList list;
    EXPECT_FALSE(listing.fillIn(list));
    EXPECT_EQ(list.images,
              (std::vector<std::string>{lib.folder() + "a.jpg", lib.folder() + Native("1/b.jpg")}));
    SlideList other; // another screen's, filled from the same listing
    gate.open();
    ASSERT_TRUE(FillUntilComplete(listing, list));
    ASSERT_TRUE(FillUntilComplete(listing, other));
    EXPECT_EQ(list.images, other.images);
    ASSERT_EQ(list.images.size(), 3u);
    EXPECT_EQ(list.images[2], lib.folder() + Native("2/c.jpg"));
    EXPECT_TRUE(list.at(0).comment.empty());

    // Without the folders below, only the folder's own; done before the constructor returns.
    const FolderListing flat(lib.files, lib.folder(), PicturePatterns(), false, false);
    SlideList own;
    EXPECT_TRUE(flat.fillIn(own));
    EXPECT_EQ(own.images, std::vector<std::string>{lib.folder() + "a.jpg"});
}

TEST(FolderListing, AFolderWithoutPicturesOrUnreadableSaysWhyOnTheFirstSlide) {
    ScratchDir dir("listing-empty");
    dir.write("notes.txt", "x");
    for (const auto& folder : {Utf8(dir.path()) + std::string(1, kPathSeparator),
                               Utf8(dir.path() / "missing") + std::string(1, kPathSeparator)}) {
        FolderListing listing(RealFiles(), folder, PicturePatterns(), true);
        SlideList list;
        ASSERT_TRUE(FillUntilComplete(listing, list));
        EXPECT_TRUE(list.images.empty());
        EXPECT_NE(list.at(0).comment.find(folder), std::string::npos) << list.at(0).comment;
    }
}

// A listing that is stopped lists no further folder.
TEST(FolderListing, AStoppedWalkListsNoFurtherFolder) {
    Library lib;
    int listed = 0;
    lib.files.beforeListing([&](std::string_view) { ++listed; });
    std::atomic<bool> stop{false};
    std::vector<std::string> got;
    ASSERT_TRUE(WalkPictureTree(
        lib.files, lib.folder(), PicturePatterns(),
        [&](std::vector<std::string> names) {
            got.insert(got.end(), names.begin(), names.end());
            stop = true;
        },
        stop));
    EXPECT_EQ(got, std::vector<std::string>{"a.jpg"});
    EXPECT_EQ(listed, 1);
}

// While the library is listed the show waits without a slide, looking again soon, and a key
// still ends it; the first pictures found start it.
TEST(FolderListing, TheShowWaitsForTheFirstPicturesAndAKeyEndsItMeanwhile) {
    for (const bool key : {false, true}) {
        Library lib;
        Gate gate(lib.files, lib.folder());
        FakeShow show;
        show.platform.workers = true;
        ProcessState process{lib.files};
        process.startup = show.process.startup;
        process.settings = show.process.settings;
        process.settings.AllImages = 1;
        process.settings.IncludeSubfolders = 1;
        process.settings.ImagePath = Utf8(lib.dir.path());
        auto assembly = ShowAssembly::Prepare(process);
        ASSERT_TRUE(assembly) << assembly.message();
        (*assembly)->assemble(show.store, show.platform, FakePictureFormats({}), {});
        (*assembly)->start();
        gate.waitUntilReached();
        auto& player = (*assembly)->player();
        player.Timer1_Timer();
        EXPECT_EQ(show.timer1.interval(), 50);
        EXPECT_EQ(player.state().currentSlide, -1);
        if (key) {
            (*assembly)->input();
            EXPECT_TRUE(player.ended()); // while the walk is held
            gate.open();
            (*assembly)->finish();
            continue;
        }
        gate.open();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (player.state().currentSlide < 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            player.Timer1_Timer();
        }
        EXPECT_EQ(player.state().currentSlide, 0) << "the first picture never came";
        EXPECT_EQ(show.timer1.interval(), 10'000);
        (*assembly)->finish();
    }
}

} // namespace
} // namespace gf::test

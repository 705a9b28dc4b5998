#include "core/authoring/PackageJob.h"
#include "fakes/FakeDesignerDialogs.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

class Packaging : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch_.write("a.png", std::string(3000, 'a'));
        scratch_.write("b.png", std::string(3000, 'b'));
        program_ = scratch_.write("glimmerframe", std::string(4000, 'P'));
        designer_.open(scratch_.write("show.txt", "IMAGE=a.png\r\nIMAGE=b.png\r\n"));
    }
    std::string at(const std::string& name) const { return test::Utf8(scratch_.path() / name); }

    test::ScratchDir scratch_{"gf-package-job"};
    test::FakeDesignerDialogs dialogs_;
    TemplateDesigner designer_{test::RealFiles(), dialogs_};
    std::string program_;
};

TEST_F(Packaging, WritesTheRowsWithoutTheBlankOneAndPutsItBackAfter) {
    ASSERT_EQ(designer_.rows().size(), 3u);
    designer_.select(2);
    designer_.setSoundMode(3);
    PackageJob job(designer_, Settings{}, program_, at("show.scr"));
    // While the write runs the blank row is out, and nothing stays selected.
    EXPECT_EQ(designer_.rows().size(), 2u);
    EXPECT_EQ(designer_.selected(), std::nullopt);
    EXPECT_EQ(job.request().rows.size(), 2u);
    EXPECT_EQ(job.request().soundMode, 3);
    EXPECT_EQ(job.request().templatePath, designer_.TemplateName());
    EXPECT_EQ(job.latest().label, PackageJob::kFirstStep);

    int news = 0;
    job.run(test::RealFiles(), [&] { ++news; });
    // The news is told once until the window takes it: a slow window is not flooded.
    EXPECT_EQ(news, 1);
    const auto last = job.latest();
    EXPECT_EQ(PackageJob::Percent(last), 100);
    const auto outcome = job.finish();
    ASSERT_TRUE(outcome.written.has_value());
    EXPECT_EQ(outcome.written->rfind("Wrote " + at("show.scr") + ": 2 slides, ", 0), 0u)
        << *outcome.written;
    EXPECT_FALSE(outcome.error);
    EXPECT_EQ(designer_.rows().size(), 3u);
    EXPECT_TRUE(designer_.rows()[2].isBlank());
}

TEST_F(Packaging, AMissingFileIsToldAsItIsAndACancelNotAtAll) {
    const std::string target = scratch_.write("old.scr", "old");
    {
        scratch_.write("a.png", "");
        std::filesystem::remove(scratch_.path() / "a.png");
        PackageJob job(designer_, Settings{}, program_, target);
        job.run(test::RealFiles(), {});
        EXPECT_EQ(job.finish().error, "Unable to locate image: " + at("a.png"));
    }
    scratch_.write("a.png", "back");
    {
        PackageJob job(designer_, Settings{}, program_, target);
        job.cancel();
        job.run(test::RealFiles(), {});
        const auto outcome = job.finish();
        EXPECT_FALSE(outcome.written || outcome.error);
    }
    {
        PackageJob job(designer_, Settings{}, at("no-program"), target);
        job.run(test::RealFiles(), {});
        EXPECT_EQ(job.finish().error, "Unable to locate the program file: " + at("no-program"));
    }
    {
        PackageJob job(designer_, Settings{}, program_, target, PackageProgram::WindowsX86);
        job.run(test::RealFiles(), {});
        const auto error = job.finish().error;
        ASSERT_TRUE(error);
        EXPECT_NE(error->find(test::Native("windows/x86/glimmerframe.scr")), std::string::npos)
            << *error;
    }
    EXPECT_EQ(test::ReadFile(target), "old");
    EXPECT_EQ(designer_.rows().size(), 3u); // the blank row came back every time
}

TEST_F(Packaging, TheWindowsScreenSaverFilterWritesFromTheWindowsProgram) {
    EXPECT_EQ(PackageProgramForFilter("Windows screen saver (*.scr)"), PackageProgram::WindowsX64);
    EXPECT_EQ(PackageProgramForFilter(kPackageFileTypes[0].filter), PackageProgram::ThisProgram);
    EXPECT_EQ(PackageProgramForFilter("Something else (*)"), PackageProgram::ThisProgram);

    scratch_.write("windows/x64/glimmerframe.scr", "MZ windows");
    PackageJob job(designer_, Settings{}, program_, at("show.scr"),
                   PackageProgramForFilter("Windows screen saver (*.scr)"));
    job.run(test::RealFiles(), {});
    EXPECT_TRUE(job.finish().written);
    EXPECT_EQ(test::ReadFile(at("show.scr")).substr(0, 10), "MZ windows");
}

TEST(PackageJobPercent, RowsDoneOfAHundred) {
    const auto percent = [](std::size_t done, std::size_t count) {
        PackageWriteProgress p;
        p.rowsDone = done;
        p.rowCount = count;
        return PackageJob::Percent(p);
    };
    EXPECT_EQ(percent(0, 0), 0); // nothing to count yet
    EXPECT_EQ(percent(0, 3), 0);
    EXPECT_EQ(percent(1, 3), 33);
    EXPECT_EQ(percent(2, 3), 66);
    EXPECT_EQ(percent(3, 3), 100);
}

} // namespace
} // namespace gf

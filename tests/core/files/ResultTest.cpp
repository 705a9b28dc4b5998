#include "base/Result.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

TEST(Result, ASuccessHasNoErrorAndAFailureKeepsWhatItIsAbout) {
    const Result<int> good = 7;
    const Status fine;
    EXPECT_TRUE(good.has_value() && fine.has_value());
    EXPECT_EQ(*good, 7);
    // Asking a success for its error is safe and gives nothing, for both shapes alike.
    EXPECT_EQ(good.message(), "");
    EXPECT_EQ(fine.message(), "");
    EXPECT_EQ(good.error().subject, "");

    const Error missing{"Unable to locate image: /a.jpg", ErrorKind::NotFound, "/a.jpg"};
    const Result<int> bad = missing;
    EXPECT_FALSE(bad.has_value());
    EXPECT_EQ(bad.kind(), ErrorKind::NotFound);
    EXPECT_EQ(bad.status().error().subject, "/a.jpg");
    EXPECT_EQ(bad.status().message(), missing.message);
}

TEST(Result, TheReasonIsGivenOnlyForTheSubjectItIsAbout) {
    const Error e{"Cannot open /x/a: the disk is full", ErrorKind::Failed, "/x/a",
                  "the disk is full"};
    EXPECT_EQ(e.reasonFor("/x/a"), "the disk is full");
    EXPECT_EQ(e.reasonFor("/x/b"), e.message);
    EXPECT_EQ(e.reasonFor("/x/a/"), e.message);
    const Error bare{"Something failed"};
    EXPECT_EQ(bare.reasonFor(""), "Something failed");
}

} // namespace
} // namespace gf

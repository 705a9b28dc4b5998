#include "qt/startup/DisplayCheck.h"

#include <gtest/gtest.h>

#include <vector>

namespace gf {
namespace {

TEST(DisplayCheck, X11WithoutAServerIsSaidOtherPlatformsAreQtsToJudge) {
    std::vector<std::string> asked;
    const auto answers = [&asked](const std::string& display) {
        asked.push_back(display);
        return display == ":1";
    };
    const auto reason = [&](DisplayEnvironment env) { return NoDisplayReason(env, answers); };
    EXPECT_EQ(*reason({"", "", ""}), "no display could be opened: DISPLAY is not set (start the "
                                     "program from a desktop session, or set DISPLAY to a running "
                                     "X server).");
    EXPECT_EQ(*reason({"xcb", ":2", ""}),
              "no display could be opened: the X display \":2\" could not be reached.");
    EXPECT_EQ(reason({"xcb", "", "wayland-0"})->find("DISPLAY is not set"), 28u);
    EXPECT_FALSE(reason({"", ":1", ""}));
    EXPECT_FALSE(reason({"", "", "wayland-0"}));
    EXPECT_FALSE(reason({"offscreen", "", ""}));
    EXPECT_FALSE(reason({"wayland", "", ""}));
    EXPECT_EQ(asked, (std::vector<std::string>{":2", ":1"}));

    char program[] = "glimmerframe", option[] = "-platform", platform[] = "minimal", s[] = "/S";
    char* argv[] = {program, s, option, platform};
    EXPECT_EQ(ReadDisplayEnvironment(4, argv).platform, "minimal");
    EXPECT_FALSE(NoDisplayReason(4, argv));
}

} // namespace
} // namespace gf

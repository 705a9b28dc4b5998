#include "core/support/GuideLinks.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace gf {
namespace {

// A page of the guide as the source tree has it (the version page before the build fills in
// its number).
std::string GuideText(std::string_view page) {
    const std::string docs = GF_TEST_DATA "/../../docs/";
    std::ifstream in(page == kGuideVersionPage ? docs + "version.html.in"
                                               : docs + "help/" + std::string(page));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// "page#section" names a page of this system's guide with that anchor.
void ExpectInGuide(GuidePlatform platform, std::string_view link) {
    const auto hash = link.find('#');
    const std::string_view page = link.substr(0, hash);
    const auto pages = GuidePages(platform);
    ASSERT_NE(std::find(pages.begin(), pages.end(), page), pages.end()) << link;
    if (hash != std::string_view::npos)
        EXPECT_NE(GuideText(page).find("id=\"" + std::string(link.substr(hash + 1)) + "\""),
                  std::string::npos)
            << link;
}

TEST(GuideLinks, EachSystemLeadsToItsOwnGuideAndNoneOfTheOthersGuidance) {
    const struct {
        GuidePlatform platform;
        std::vector<std::string> foreign; // the other system's guidance
    } systems[] = {
        {GuidePlatform::Linux, {"HKEY_", "Program Files", "System32"}},
        {GuidePlatform::Windows, {"~/.config", "scripts/install", "XScreenSaver", "XDG_"}},
    };
    for (const auto& [platform, foreign] : systems) {
        SCOPED_TRACE(platform == GuidePlatform::Linux ? "Linux" : "Windows");
        const auto pages = GuidePages(platform);
        ASSERT_EQ(pages.front(), kGuideHomePage);
        for (const auto page : pages) {
            const std::string text = GuideText(page);
            ASSERT_FALSE(text.empty()) << page;
            for (const auto& word : foreign)
                EXPECT_EQ(text.find(word), std::string::npos) << page << " names " << word;
        }
        ExpectInGuide(platform, kGuideProductPage);
        ExpectInGuide(platform, kGuideVersionPage);
        ExpectInGuide(platform, GuideNewVersionPage(platform));
        for (const GuideTip& tip : GuideTips(platform))
            ExpectInGuide(platform, tip.page);
    }
    EXPECT_NE(GuideTips(GuidePlatform::Linux)[3].headline,
              GuideTips(GuidePlatform::Windows)[3].headline);
}

TEST(GuideLinks, TheHomePageAsksOnlyBeforeTheBrowserOpens) {
    EXPECT_EQ(HomePageQuestion(GuideViewer::Browser), "Open the Glimmerframe page in your browser?");
    EXPECT_EQ(HomePageQuestion(GuideViewer::Help), std::nullopt);
}

TEST(GuideLinks, TheCurrentSectionIsTheLastHeadingAtOrAboveTheViewsTop) {
    const int tops[] = {10, 100, 250};
    EXPECT_EQ(CurrentSection(tops, 9, 0), std::nullopt);
    EXPECT_EQ(CurrentSection(tops, 10, 0), 0u);
    EXPECT_EQ(CurrentSection(tops, 99, 0), 0u);
    EXPECT_EQ(CurrentSection(tops, 100, 0), 1u);
    EXPECT_EQ(CurrentSection(tops, 5000, 0), 2u);
    // A heading just below the top, within the slack, is the one being read.
    EXPECT_EQ(CurrentSection(tops, 94, 5), 0u);
    EXPECT_EQ(CurrentSection(tops, 95, 5), 1u);
    EXPECT_EQ(CurrentSection({}, 0, 0), std::nullopt);
}

} // namespace
} // namespace gf

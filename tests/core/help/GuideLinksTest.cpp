#include "core/help/GuideLinks.h"
#include "core/help/TipRotation.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace gf {
namespace {

// A page of the guide as the source tree has it (the version page before the build fills in
// its number).
std::string GuideText(std::string_view page) {
    const std::string docs = GF_SAMPLES "/../docs/";
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
    if (hash != std::string_view::npos) {
        const std::string anchor = "id=\"" + std::string(link.substr(hash + 1)) + "\"";
        EXPECT_NE(GuideText(page).find(anchor), std::string::npos) << link;
    }
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

TEST(GuideLinks, TheStripTurnsThroughEveryTipAndBackToTheFirst) {
    TipRotation tips(GuidePlatform::Windows);
    const auto& all = GuideTips(GuidePlatform::Windows);
    for (std::size_t turn = 0; turn <= kGuideTipCount; ++turn) {
        EXPECT_EQ(tips.current().page, all[turn % kGuideTipCount].page) << turn;
        tips.next();
    }
    EXPECT_EQ(tips.index(), 1u);
    // The tooltip names the headline in lower case.
    TipRotation first(GuidePlatform::Linux);
    std::string lower(first.current().headline);
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    EXPECT_EQ(first.tooltip(), "Click to read about " + lower + " in the user guide");
    EXPECT_NE(lower, first.current().headline); // a headline with capitals, or this proves nothing
}

TEST(GuideLinks, TheHomePageAsksOnlyBeforeTheBrowserOpens) {
    EXPECT_EQ(HomePageQuestion(GuideViewer::Browser),
              "Open the Glimmerframe page in your browser?");
    EXPECT_EQ(HomePageQuestion(GuideViewer::Help), std::nullopt);
}

TEST(GuideLinks, TheCurrentSectionIsTheLastHeadingAtOrAboveTheViewsTop) {
    const int tops[] = {10, 100, 250};
    const auto at = [&](int top, int slack = 0, std::optional<std::size_t> chosen = {}) {
        return CurrentSection(tops, {top, 50, false}, slack, chosen);
    };
    EXPECT_EQ(at(9), std::nullopt);
    EXPECT_EQ(at(10), 0u);
    EXPECT_EQ(at(99), 0u);
    EXPECT_EQ(at(100), 1u);
    EXPECT_EQ(at(5000), 2u);
    // A heading just below the top, within the slack, is the one being read.
    EXPECT_EQ(at(94, 5), 0u);
    EXPECT_EQ(at(95, 5), 1u);
    // A chosen section stays while its heading is in view (top to top + height - 1).
    EXPECT_EQ(at(60, 0, 1), 1u);
    EXPECT_EQ(at(60, 0, 2), 0u);
    EXPECT_EQ(at(100, 0, 0), 1u);
    // At the page's end, the last heading in view: the reader cannot scroll it to the top.
    EXPECT_EQ(CurrentSection(tops, {200, 50, true}, 0), 1u);
    EXPECT_EQ(CurrentSection(tops, {201, 50, false}, 0), 1u);
    EXPECT_EQ(CurrentSection(tops, {201, 50, true}, 0), 2u);
    EXPECT_EQ(CurrentSection({}, {0, 50, true}, 0), std::nullopt);
}

} // namespace
} // namespace gf

#include "core/settings_dialog/SettingsDialogModel.h"
#include "core/files/Paths.h"
#include "core/settings/SettingsLoader.h"
#include "fakes/MemorySettingsStore.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace gf {
namespace {

namespace fs = std::filesystem;
const std::string kKey = "Software\\Brindlewick\\Glimmerframe";

struct RecordingView final : SettingsDialogView {
    void moveTemplateLists(std::string_view f) override { templateMoves.emplace_back(f); }
    void moveFolderLists(std::string_view f) override { folderMoves.emplace_back(f); }
    std::optional<std::string> runDesigner(std::string_view name) override {
        designerCalls.emplace_back(name);
        return designerResult;
    }
    bool askOkCancel(std::string_view text) override {
        questions.emplace_back(text);
        return answerOk;
    }
    void showError(std::string_view text) override { errors.emplace_back(text); }

    std::vector<std::string> templateMoves, folderMoves, designerCalls, questions, errors;
    std::optional<std::string> designerResult;
    bool answerOk = true;
};

// A temporary folder removed at the end of the test.
struct TempDir {
    test::ScratchDir scratch{"gf-dialog"};
    fs::path path = scratch.path();
    std::string str() const { return AddBackslash(path.string()); }
};

// The dialog on settings loaded from an empty store, so in template mode (AllImages 0), with a
// scratch folder to point it at.
struct Dialog {
    Dialog() {
        process.startup.ProductName = "Glimmerframe";
        LoadSettingsFromStore(store, "Glimmerframe", true, process.settings);
        ApplyRangeLimits(process.settings);
    }
    SettingsDialogModel& load() {
        model.Form_Load();
        return model;
    }
    std::string stored(std::string_view name) const {
        return store.persisted(kKey, name).value_or("<missing>");
    }
    void expectStored(const std::vector<std::pair<std::string, std::string>>& values) const {
        for (const auto& [name, value] : values)
            EXPECT_EQ(stored(name), value) << name;
    }
    TempDir dir;
    ProcessState process{test::RealFiles()};
    test::MemorySettingsStore store;
    RecordingView view;
    SettingsDialogModel model{process, store, view};
};

// The mode boxes (template, folder), then whether the folder button and the three template
// buttons can be pressed.
auto Modes(const DialogControls& c) {
    return std::tuple(c.chkTemplateMode, c.chkFolderMode, c.cmdSelectFolderEnabled,
                      c.cmdSelectTemplateEnabled, c.cmdCreateTemplateEnabled,
                      c.cmdEditTemplateEnabled);
}

TEST(SettingsDialogModel, EveryControlShowsItsSettingAndLoadPicksTheDissolve) {
    Dialog d;
    auto& s = d.process.settings;
    // The scroll bars' own initial values: their labels show the value all the same.
    s.ImageInterval = 5;
    s.Blocks = 10;
    s.DissolveDelay = 0;
    s.MouseSensitivity = 100;
    s.DissolveType = "Slide Left To Center";
    s.FullScreen = 1;
    s.ImagePositionRandom = 2; // anything but 1 selects "Centered", which writes 0 back
    s.ImageOrderRandom = 1;
    s.DisableSound = 1;
    s.IgnoreMouse = 1;
    auto& m = d.load();
    EXPECT_EQ(m.ScrollInterval().label, "Delay Interval: 5 Seconds");
    EXPECT_EQ(m.ScrollDissolveSize().label, "Dissolve Size: 10");
    EXPECT_EQ(m.ScrollDissolveDelay().label, "Dissolve Delay: 0");
    EXPECT_EQ(m.ScrollMouseSensitivity().label, "Mouse Sensitivity: 100");
    EXPECT_EQ(m.controls().comboIndex, 14);
    EXPECT_EQ(std::tuple(m.settings().FullScreen, m.settings().ImagePositionRandom,
                         m.settings().ImageOrderRandom, m.controls().chkDisableSound,
                         m.controls().chkIgnoreMouse),
              std::tuple(1, 0, 1, true, true));
    m.ScrollInterval().setValue(7);
    EXPECT_EQ(m.ScrollInterval().label, "Delay Interval: 7 Seconds");
    m.ScrollInterval().setValue(99);
    EXPECT_EQ(m.ScrollInterval().value, 32);
    // The list ends with "Fade"; past it is still "Fade", before the start "Random".
    for (const auto& [index, shown] : {std::pair{15, 15}, {16, 15}, {-1, 0}}) {
        m.setComboIndex(index);
        EXPECT_EQ(m.controls().comboIndex, shown) << index;
    }

    // An unknown name, or one in another case, selects "Random" and is stored as such.
    Dialog other;
    other.process.settings.DissolveType = "normal";
    other.process.settings.AllImages = 1;
    other.load();
    EXPECT_EQ(other.model.controls().comboIndex, 0);
    ASSERT_TRUE(other.model.cmdExit_Click());
    EXPECT_EQ(other.stored("DissolveType"), "Random");
    Dialog fade;
    fade.process.settings.DissolveType = "Fade";
    EXPECT_EQ(fade.load().controls().comboIndex, 15);
}

TEST(SettingsDialogModel, ModeBoxesBehaveAsAPairAndReshowTheHelpPanel) {
    Dialog d;
    d.process.settings.ImagePath = d.dir.path.string(); // no trailing separator yet
    d.process.settings.ImageListFile = "beach.txt";
    auto& m = d.load();
    const auto& c = m.controls();
    EXPECT_EQ(Modes(c), std::tuple(true, false, false, true, true, true));
    EXPECT_EQ(m.settings().ImagePath, d.dir.str());
    EXPECT_EQ(d.view.templateMoves, std::vector<std::string>{d.dir.str()});
    EXPECT_EQ(c.txtImageListFile, d.dir.str() + "beach.txt");
    EXPECT_EQ(c.txtHelper.substr(0, c.txtHelper.find('\n')),
              "Glimmerframe is currently in Template Mode.");
    // The texts name the buttons that are there.
    EXPECT_NE(c.txtHelper.find("\nClick Template, Edit or Create.\n"), std::string::npos);

    m.cmdSelectTemplate_Click();
    EXPECT_EQ(c.panel, DialogPanel::Template);
    m.chkTemplateMode_Click(); // the checked box: stays checked, help panel again
    EXPECT_TRUE(c.chkTemplateMode);
    EXPECT_EQ(c.panel, DialogPanel::Text);

    m.chkFolderMode_Click();
    EXPECT_EQ(Modes(c), std::tuple(false, true, true, false, false, false));
    EXPECT_EQ(m.settings().AllImages, 1);
    EXPECT_EQ(d.view.folderMoves, std::vector<std::string>{d.dir.str()});
    EXPECT_NE(c.txtHelper.find("all the images (GIF, JPE, JPG, BMP, WMF and JPEG) in the folder"),
              std::string::npos);
    EXPECT_NE(c.txtHelper.find("Click Folder to choose the folder containing your images."),
              std::string::npos);
}

TEST(SettingsDialogModel, FolderModeStoresTheFolderWithSeparatorAndNoFileName) {
    Dialog d;
    d.process.settings.AllImages = 1;
    d.process.settings.ImagePath = "/somewhere/old/";
    d.process.settings.ImageListFile = "stale.txt";
    auto& m = d.load();
    EXPECT_EQ(m.controls().txtImageListFile, "/somewhere/old/");
    m.cmdSelectFolder_Click(d.dir.path.string());
    EXPECT_EQ(m.controls().panel, DialogPanel::Folder);
    EXPECT_EQ(m.controls().txtImageListFile, d.dir.str());
    ASSERT_TRUE(m.cmdExit_Click());
    d.expectStored({{"ImagePath", d.dir.str()}, {"ImageListFile", ""}, {"AllImages", "1"}});
    // Folder mode needs no template: no test, no question.
    EXPECT_TRUE(d.view.questions.empty() && d.view.errors.empty());
}

TEST(SettingsDialogModel, SwitchingToFolderModeOffersTheTemplatesFolderNotTheTemplate) {
    Dialog d;
    d.process.settings.ImagePath = d.dir.str();
    d.process.settings.ImageListFile = "show.txt";
    auto& m = d.load();
    m.chkFolderMode_Click();
    EXPECT_EQ(m.controls().txtImageListFile, d.dir.str());
    m.chkTemplateMode_Click();
    EXPECT_EQ(m.controls().txtImageListFile, d.dir.str() + "show.txt");
    m.chkFolderMode_Click();
    ASSERT_TRUE(m.cmdExit_Click());
    d.expectStored({{"ImagePath", d.dir.str()}, {"ImageListFile", ""}});
}

TEST(SettingsDialogModel, TemplateModeSplitsThePathAndWritesThemAllInOrder) {
    Dialog d;
    std::ofstream(d.dir.path / "beach.txt") << "IMAGE=a.jpg\n";
    auto& m = d.load();
    m.File1_Click(d.dir.path.string(), "beach.txt");
    EXPECT_EQ(m.controls().txtImageListFile, d.dir.str() + "beach.txt");
    m.ScrollInterval().setValue(12);
    m.ScrollDissolveSize().setValue(20);
    m.ScrollDissolveDelay().setValue(30);
    m.ScrollMouseSensitivity().setValue(200);
    m.chooseOption(1, true);  // full screen
    m.chooseOption(0, true);  // random order
    m.chooseOption(2, false); // centred
    m.chooseOption(3, true);  // every screen
    m.setIgnoreMouse(true);
    m.setComboIndex(3);
    m.setIncludeSubfolders(true);
    m.setCaption(2);
    m.setCaption(3); // past the captions: kept as it was
    m.setCaption(-1);
    d.store.writeOrder.clear();
    ASSERT_TRUE(m.cmdExit_Click());
    const std::vector<std::string> order = {
        "ImagePath",           "ImageInterval",    "ImageListFile",     "FullScreen",
        "ImagePositionRandom", "ImageOrderRandom", "AllImages",         "Blocks",
        "DissolveType",        "DissolveDelay",    "MouseSensitivity",  "IgnoreMouse",
        "DisableSound",        "ShowOnAllScreens", "IncludeSubfolders", "Caption"};
    EXPECT_EQ(d.store.writeOrder, order);
    std::vector<std::string> values;
    for (const auto& name : order)
        values.push_back(d.stored(name));
    EXPECT_EQ(values,
              (std::vector<std::string>{d.dir.str(), "12", "beach.txt", "1", "0", "1", "0", "20",
                                        "Top To Bottom", "30", "200", "1", "0", "1", "1", "2"}));
}

// Each option pair writes its own setting, and reads back what it wrote.
TEST(SettingsDialogModel, EachOptionPairWritesItsOwnSetting) {
    Dialog d;
    auto& m = d.load();
    const Settings& s = m.settings();
    for (std::size_t pair = 0; pair < 4; ++pair) {
        for (std::size_t other = 0; other < 4; ++other)
            m.chooseOption(other, other == pair);
        std::array<std::int16_t, 4> expected{};
        expected[pair] = 1;
        EXPECT_EQ((std::array{s.ImageOrderRandom, s.FullScreen, s.ImagePositionRandom,
                              s.ShowOnAllScreens}),
                  expected);
        EXPECT_TRUE(m.optionSecond(pair) && !m.optionSecond((pair + 1) % 4)) << pair;
    }
}

// A missing file or an empty path is an error; a missing folder is a question, and only OK
// stores the settings.
TEST(SettingsDialogModel, MissingTemplateKeepsTheDialogOpenUnlessTheUserAcceptsAMissingFolder) {
    Dialog d;
    auto& m = d.load();
    m.setImageListFileText(d.dir.str() + "gone.txt");
    EXPECT_FALSE(m.cmdExit_Click());
    ASSERT_EQ(d.view.errors.size(), 1u);
    EXPECT_EQ(d.view.errors[0].rfind(std::string(kSettingsErrorPrefix), 0), 0u);
    EXPECT_NE(d.view.errors[0].find("gone.txt"), std::string::npos) << d.view.errors[0];
    m.setImageListFileText("");
    EXPECT_FALSE(m.cmdExit_Click());
    m.setImageListFileText(d.dir.str());
    EXPECT_FALSE(m.cmdExit_Click());
    EXPECT_EQ(d.view.errors.size(), 3u);
    EXPECT_TRUE(d.view.questions.empty());
    EXPECT_EQ(d.stored("ImagePath"), "<missing>");

    m.setImageListFileText("/no/such/folder/beach.txt");
    d.view.answerOk = false;
    EXPECT_FALSE(m.cmdExit_Click());
    EXPECT_EQ(d.view.questions, std::vector<std::string>{std::string(kTemplateMissingQuestion)});
    EXPECT_EQ(d.stored("ImagePath"), "<missing>");
    d.view.answerOk = true;
    EXPECT_TRUE(m.cmdExit_Click());
    d.expectStored({{"ImagePath", "/no/such/folder/"}, {"ImageListFile", "beach.txt"}});
}

TEST(SettingsDialogModel, FailedStoreIsReportedAndKeepsTheDialogOpen) {
    Dialog d;
    d.process.settings.AllImages = 1;
    auto& m = d.load();
    m.ScrollInterval().setValue(9);
    d.store.failFlush(1);
    EXPECT_FALSE(m.cmdExit_Click());
    ASSERT_EQ(d.view.errors.size(), 1u);
    EXPECT_EQ(d.view.errors[0].rfind(std::string(kSettingsErrorPrefix), 0), 0u);
    EXPECT_EQ(d.stored("ImageInterval"), "<missing>");
    // The user's choices are still there for another try.
    EXPECT_EQ(m.ScrollInterval().value, 9);
    EXPECT_TRUE(m.cmdExit_Click());
    EXPECT_EQ(d.stored("ImageInterval"), "9");
}

TEST(SettingsDialogModel, StandAloneDisablesTheSourceControlsAndSkipsTheTest) {
    Dialog d;
    d.process.startup.StandAlone = true;
    d.process.startup.ProductName = "Glimmerframe-Beach";
    d.process.settings.ImagePath = "/nowhere/";
    auto& m = d.load();
    const auto& c = m.controls();
    EXPECT_FALSE(c.chkFolderModeEnabled || c.chkTemplateModeEnabled || c.cmdSelectFolderEnabled ||
                 c.cmdSelectTemplateEnabled || c.cmdCreateTemplateEnabled ||
                 c.cmdEditTemplateEnabled || c.txtImageListFileEnabled);
    EXPECT_EQ(c.txtHelper.substr(0, c.txtHelper.find('\n')),
              "Glimmerframe is running in Stand-Alone Mode.");
    EXPECT_TRUE(d.view.templateMoves.empty());
    ASSERT_TRUE(m.cmdExit_Click());
    EXPECT_TRUE(d.view.questions.empty() && d.view.errors.empty());
    EXPECT_EQ(d.store.persisted("Software\\Brindlewick\\Glimmerframe-Beach", "ImageInterval"),
              "10");
}

TEST(SettingsDialogModel, DesignerResultBecomesTheSelectedTemplate) {
    Dialog d;
    d.process.settings.ImagePath = "/shows/";
    d.process.settings.ImageListFile = "old.txt";
    auto& m = d.load();
    d.view.designerResult = "/shows/new/beach.txt";
    m.cmdCreateTemplate_Click();
    m.cmdEditTemplate_Click();
    EXPECT_EQ(d.view.designerCalls, (std::vector<std::string>{"", "/shows/new/beach.txt"}));
    EXPECT_EQ(m.settings().ImagePath, "/shows/new/");
    EXPECT_EQ(m.settings().ImageListFile, "beach.txt");

    // Without a designer nothing changes.
    d.view.designerResult.reset();
    m.cmdEditTemplate_Click();
    EXPECT_EQ(m.controls().txtImageListFile, "/shows/new/beach.txt");
}

TEST(SettingsCaptions, EveryControlHasAnAccessKeyOfItsOwn) {
    const SettingsCaptions c = kSettingsCaptions;
    std::vector<std::string> captions = {
        std::string(c.help),           std::string(c.folderMode),   std::string(c.templateMode),
        std::string(c.path),           std::string(c.selectFolder), std::string(c.selectTemplate),
        std::string(c.createTemplate), std::string(c.editTemplate), std::string(c.browse),
        std::string(c.order),          std::string(c.size),         std::string(c.placement),
        std::string(c.dissolve),       std::string(c.ignoreMouse),  std::string(c.disableSound),
        std::string(c.cancel),         std::string(c.done)};
    // A scroll bar's label keeps its key from its first text to the ones with values.
    const std::pair<const char*, const char*> labels[4] = {
        {"Delay Interval (seconds):", "Delay Interval: 7 Seconds"},
        {"Dissolve Size: ", "Dissolve Size: 12"},
        {"Dissolve Delay:", "Dissolve Delay: 3"},
        {"Mouse Sensitivity", "Mouse Sensitivity: 40"}};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string first = ScrollLabelWithAccessKey(i, labels[i].first);
        const std::string later = ScrollLabelWithAccessKey(i, labels[i].second);
        EXPECT_EQ(first.substr(0, first.find('&') + 2), later.substr(0, later.find('&') + 2));
        captions.push_back(later);
    }
    std::set<char> keys;
    for (const auto& caption : captions) {
        const auto mark = caption.find('&');
        ASSERT_NE(mark, std::string::npos) << caption;
        ASSERT_EQ(caption.find('&', mark + 1), std::string::npos) << caption;
        ASSERT_TRUE(std::isalpha(static_cast<unsigned char>(caption.at(mark + 1)))) << caption;
        EXPECT_TRUE(keys.insert(char(std::toupper(caption[mark + 1]))).second)
            << caption << " shares its key";
    }
    // The captions read as the texts the help text and the guide name.
    EXPECT_EQ(c.selectFolder.substr(1), kSelectFolderCaption);
    EXPECT_EQ(ScrollLabelWithAccessKey(0, ""), "");
}

} // namespace
} // namespace gf

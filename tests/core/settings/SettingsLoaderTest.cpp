#include "core/settings/SettingsLoader.h"
#include "base/PathSeparator.h"
#include "core/settings/Registry.h"
#include "fakes/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

constexpr auto kMachine = static_cast<std::uint32_t>(RegistryRoot::LocalMachine);
constexpr auto kUser = static_cast<std::uint32_t>(RegistryRoot::CurrentUser);
const std::string kKey = "Software\\Brindlewick\\Glimmerframe";

Settings load(const test::MemorySettingsStore& store) {
    Settings s;
    LoadSettingsFromStore(store, "Glimmerframe", true, s);
    ApplyRangeLimits(s);
    return s;
}

Settings loadWith(const char* name, const char* text) {
    test::MemorySettingsStore store;
    store.putString(kMachine, kKey, name, text);
    return load(store);
}

TEST(SettingsLoading, EmptyStoreGivesTheDefaults) {
    // Every value not set here is 0 or empty.
    Settings defaults;
    defaults.ImageInterval = 10;
    defaults.MouseSensitivity = 100;
    defaults.ImagePath = kRootFolder; // "C:\\" on Windows
    defaults.Blocks = 10;
    defaults.DissolveType = "Normal";
    EXPECT_EQ(load(test::MemorySettingsStore()), defaults);
}

TEST(SettingsLoading, NumbersAreReadRoundedAndLimited) {
    EXPECT_EQ(loadWith("ImageInterval", "0").ImageInterval, 1);
    EXPECT_EQ(loadWith("ImageInterval", "abc").ImageInterval, 1);
    EXPECT_EQ(loadWith("ImageInterval", "99").ImageInterval, 32);
    EXPECT_EQ(loadWith("ImageInterval", " 7").ImageInterval, 7);
    EXPECT_EQ(loadWith("ImageInterval", "2.6").ImageInterval, 3);
    EXPECT_EQ(loadWith("ImageInterval", "").ImageInterval, 1); // stored empty is not missing
    EXPECT_EQ(loadWith("ImageInterval", "70000").ImageInterval, 32);
    EXPECT_EQ(loadWith("MouseSensitivity", "5").MouseSensitivity, 10);
    EXPECT_EQ(loadWith("MouseSensitivity", "1000").MouseSensitivity, 500);
    EXPECT_EQ(loadWith("Blocks", "60").Blocks, 50);
    EXPECT_EQ(loadWith("DissolveDelay", "-5").DissolveDelay, 0);
    EXPECT_EQ(loadWith("DissolveDelay", "-99999").DissolveDelay, 0);
    EXPECT_EQ(loadWith("FullScreen", "7").FullScreen, 7); // not limited
    for (const auto& [stored, caption] : {std::pair{"-1", 0}, {"0", 0}, {"2", 2}, {"3", 2}})
        EXPECT_EQ(loadWith("Caption", stored).Caption, caption) << stored;
}

TEST(SettingsLoading, TextsKeepWhatIsStoredAndValuesOfAnotherTypeGiveTheDefault) {
    test::MemorySettingsStore store;
    store.putString(kMachine, kKey, "ImagePath", "/home/me/Pictures/");
    store.putString(kMachine, kKey, "DissolveType", "");
    store.putString(kMachine, kKey, "ImageListFile", std::string("show.txt\0junk", 13));
    store.putNumber(kMachine, kKey, "ImageInterval", 5);
    store.putOther(kMachine, kKey, "Blocks");
    const auto s = load(store);
    EXPECT_EQ(s.ImagePath, "/home/me/Pictures/");
    EXPECT_EQ(s.DissolveType, "");
    EXPECT_EQ(s.ImageListFile, "show.txt");
    EXPECT_EQ(s.ImageInterval, 10);
    EXPECT_EQ(s.Blocks, 10);
}

TEST(SettingsLoading, SecondGroupOnlyLeavesTheFirstGroupAlone) {
    test::MemorySettingsStore store;
    store.putString(kMachine, kKey, "ImageInterval", "20");
    store.putString(kMachine, kKey, "Blocks", "30");
    Settings s;
    s.ImageInterval = 4;
    LoadSettingsFromStore(store, "Glimmerframe", false, s);
    EXPECT_EQ(s.ImageInterval, 4);
    EXPECT_EQ(s.Blocks, 30);
}

TEST(RegistryValues, StringsNumbersAndFailures) {
    test::MemorySettingsStore store;
    const std::string desk = "Control Panel\\Desktop";
    EXPECT_EQ(ReadRegistryValue(store, kUser, desk, "ScreenSaveUsePassword"), "");
    store.putNumber(kUser, desk, "ScreenSaveUsePassword", 1);
    EXPECT_EQ(ReadRegistryValue(store, kUser, desk, "ScreenSaveUsePassword"), "001");
    store.putNumber(kUser, desk, "Big", 12345);
    EXPECT_EQ(ReadRegistryValue(store, kUser, desk, "Big"), "123");
    store.putString(kUser, desk, "ScreenSaveUsePassword", "1");
    EXPECT_EQ(ReadRegistryValue(store, kUser, desk, "ScreenSaveUsePassword"), "1");
    EXPECT_EQ(ReadRegistryValue(store, 0x12345678u, desk, "ScreenSaveUsePassword"), "");
    EXPECT_EQ(ReadRegistryValue(store, 0x80000007u, desk, "ScreenSaveUsePassword"), "");
    store.putOther(kUser, desk, "Binary");
    EXPECT_EQ(ReadRegistryValue(store, kUser, desk, "Binary"), "");
}

TEST(SettingsStoring, WritesEveryValueInOrderAndReadsBack) {
    test::MemorySettingsStore store;
    Settings s;
    s.ImagePath = "/shows/";
    s.ImageListFile = "beach.txt";
    s.ImageInterval = 7;
    s.Blocks = 20;
    s.DissolveType = "Random Blocks";
    s.DissolveDelay = 15;
    s.MouseSensitivity = 250;
    s.IgnoreMouse = -1;
    s.DisableSound = 1;
    s.FullScreen = 1;
    s.ShowOnAllScreens = 7; // a check box: stored as 1
    ASSERT_TRUE(StoreSettings(store, "Glimmerframe", s).ok());
    EXPECT_EQ(store.writeOrder,
              (std::vector<std::string>{"ImagePath", "ImageInterval", "ImageListFile", "FullScreen",
                                        "ImagePositionRandom", "ImageOrderRandom", "AllImages",
                                        "Blocks", "DissolveType", "DissolveDelay",
                                        "MouseSensitivity", "IgnoreMouse", "DisableSound",
                                        "ShowOnAllScreens", "IncludeSubfolders", "Caption"}));
    EXPECT_EQ(store.persisted(kKey, "IgnoreMouse"), "1");
    EXPECT_EQ(store.persisted(kKey, "ShowOnAllScreens"), "1");
    Settings back = load(store);
    s.IgnoreMouse = 1;
    s.ShowOnAllScreens = 1;
    EXPECT_EQ(back, s);
}

TEST(SettingsStoring, AFailedFlushIsReportedAndPersistsNothing) {
    test::MemorySettingsStore store;
    store.putString(kMachine, kKey, "ImageInterval", "5");
    store.failFlush(1);
    Settings s;
    s.ImageInterval = 9;
    const auto status = StoreSettings(store, "Glimmerframe", s);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find("injected"), std::string::npos);
    EXPECT_EQ(store.persisted(kKey, "ImageInterval"), "5");
}

} // namespace
} // namespace gf

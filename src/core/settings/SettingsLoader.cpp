#include "core/settings/SettingsLoader.h"

#include "base/PathSeparator.h"
#include "core/settings/Registry.h"
#include "core/text/TextNumber.h"

#include <algorithm>
#include <array>
#include <limits>

namespace gf {

namespace {
constexpr auto kMachine = static_cast<std::uint32_t>(RegistryRoot::LocalMachine);
constexpr std::int16_t kLowest = std::numeric_limits<std::int16_t>::min();
constexpr std::int16_t kHighest = std::numeric_limits<std::int16_t>::max();

// First: a stand-alone package may take the value from its trailer instead of the store.
enum class Group { First, Second };

// One stored setting: exactly one of `number` and `text` is set.
struct SettingEntry {
    std::string_view name;
    std::string_view defaultText;
    Group group;
    std::int16_t Settings::*number = nullptr;
    std::string Settings::*text = nullptr;
    std::int16_t low = kLowest, high = kHighest; // the range it is brought into after loading
    bool checkBox = false;                       // stored as 0 or 1
};

constexpr SettingEntry Number(std::string_view name, std::string_view defaultText, Group group,
                              std::int16_t Settings::*member, std::int16_t low = kLowest,
                              std::int16_t high = kHighest) {
    return {name, defaultText, group, member, nullptr, low, high, false};
}
constexpr SettingEntry CheckBox(std::string_view name, Group group,
                                std::int16_t Settings::*member) {
    return {name, "0", group, member, nullptr, kLowest, kHighest, true};
}
constexpr SettingEntry Text(std::string_view name, std::string_view defaultText,
                            std::string Settings::*member) {
    return {name, defaultText, Group::Second, nullptr, member, kLowest, kHighest, false};
}

// The settings, in the order the dialog stores them. The default picture folder is
// the system's root folder ("C:\" on Windows) unless the sample show is found
// (LoadSettingsFromStore).
constexpr std::array<SettingEntry, 16> kSettings{
    Text("ImagePath", kRootFolder, &Settings::ImagePath),
    Number("ImageInterval", "10", Group::First, &Settings::ImageInterval, 1, 32),
    Text("ImageListFile", "", &Settings::ImageListFile),
    Number("FullScreen", "0", Group::First, &Settings::FullScreen),
    Number("ImagePositionRandom", "0", Group::First, &Settings::ImagePositionRandom),
    Number("ImageOrderRandom", "0", Group::First, &Settings::ImageOrderRandom),
    Number("AllImages", "0", Group::Second, &Settings::AllImages),
    Number("Blocks", "10", Group::Second, &Settings::Blocks, 10, 50),
    Text("DissolveType", "Normal", &Settings::DissolveType),
    Number("DissolveDelay", "0", Group::First, &Settings::DissolveDelay, 0, 200),
    Number("MouseSensitivity", "100", Group::First, &Settings::MouseSensitivity, 10, 500),
    CheckBox("IgnoreMouse", Group::First, &Settings::IgnoreMouse),
    CheckBox("DisableSound", Group::Second, &Settings::DisableSound),
    CheckBox("ShowOnAllScreens", Group::Second, &Settings::ShowOnAllScreens),
    CheckBox("IncludeSubfolders", Group::Second, &Settings::IncludeSubfolders),
    Number("Caption", "0", Group::Second, &Settings::Caption, 0, 2),
};

// Stored text as a number: the number-reading rule, rounded to 16 bits.
std::int16_t NumberOf(std::string_view text) {
    return RoundToInt16(ReadNumber(text));
}
} // namespace

std::string SettingsKeyPath(std::string_view productName) {
    return "Software\\Brindlewick\\" + std::string(productName);
}

std::int16_t ReadNumericSetting(const SettingsStore& store, std::string_view productName,
                                std::string_view name, std::string_view defaultText) {
    const auto key = SettingsKeyPath(productName);
    return NumberOf(GetSettingString(store, kMachine, key, name, defaultText));
}

void LoadSettingsFromStore(const SettingsStore& store, std::string_view productName,
                           bool firstGroupFromStore, Settings& s, const ShowFile* defaultShow) {
    const auto key = SettingsKeyPath(productName);
    for (const auto& e : kSettings) {
        if (e.group == Group::First && !firstGroupFromStore)
            continue;
        std::string_view defaultText = e.defaultText;
        if (defaultShow && e.text == &Settings::ImagePath)
            defaultText = defaultShow->folder;
        else if (defaultShow && e.text == &Settings::ImageListFile)
            defaultText = defaultShow->file;
        auto stored = GetSettingString(store, kMachine, key, e.name, defaultText);
        if (e.number)
            s.*e.number = NumberOf(stored);
        else
            s.*e.text = std::move(stored);
    }
}

void ApplyRangeLimits(Settings& s) {
    for (const auto& e : kSettings)
        if (e.number)
            s.*e.number = std::clamp(s.*e.number, e.low, e.high);
}

Status StoreSettings(SettingsStore& store, std::string_view productName, const Settings& s) {
    const auto key = SettingsKeyPath(productName);
    for (const auto& e : kSettings) {
        if (e.text) {
            store.write(kMachine, key, e.name, s.*e.text);
            continue;
        }
        const std::int16_t v = s.*e.number;
        store.write(kMachine, key, e.name, std::to_string(e.checkBox ? (v != 0 ? 1 : 0) : v));
    }
    return store.flush();
}

void SetFirstGroupDefaults(Settings& s) {
    for (const auto& e : kSettings)
        if (e.group == Group::First)
            s.*e.number = NumberOf(e.defaultText);
}

} // namespace gf

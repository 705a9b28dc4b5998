#include "core/startup/SettingsLoader.h"

#include "core/startup/Registry.h"
#include "core/support/TextNumber.h"

#include <algorithm>

namespace gf {

namespace {
constexpr auto kMachine = static_cast<std::uint32_t>(RegistryRoot::LocalMachine);

std::int16_t clamp16(std::int16_t v, std::int16_t lo, std::int16_t hi) {
    return std::clamp(v, lo, hi);
}
} // namespace

std::string SettingsKeyPath(std::string_view productName) {
    return "Software\\Brindlewick\\" + std::string(productName);
}

std::int16_t ReadNumericSetting(const SettingsStore& store, std::string_view productName,
                                std::string_view name, std::string_view defaultText) {
    const auto key = SettingsKeyPath(productName);
    return RoundToInt16(ReadNumber(GetSettingString(store, kMachine, key, name, defaultText)));
}

void LoadSettingsFromStore(const SettingsStore& store, std::string_view productName,
                           bool firstGroupFromStore, Settings& s) {
    const auto key = SettingsKeyPath(productName);
    auto num = [&](std::string_view name, std::string_view def) {
        return ReadNumericSetting(store, productName, name, def);
    };
    auto text = [&](std::string_view name, std::string_view def) {
        return GetSettingString(store, kMachine, key, name, def);
    };
    if (firstGroupFromStore) {
        s.ImageInterval = num("ImageInterval", "10");
        s.FullScreen = num("FullScreen", "0");
        s.ImagePositionRandom = num("ImagePositionRandom", "0");
        s.ImageOrderRandom = num("ImageOrderRandom", "0");
        s.MouseSensitivity = num("MouseSensitivity", "100");
        s.IgnoreMouse = num("IgnoreMouse", "0");
        s.DissolveDelay = num("DissolveDelay", "0");
    }
    // The system's root folder is the default picture folder ("C:\" on Windows).
    s.ImagePath = text("ImagePath", "/");
    s.ImageListFile = text("ImageListFile", "");
    s.AllImages = num("AllImages", "0");
    s.Blocks = num("Blocks", "10");
    s.DissolveType = text("DissolveType", "Normal");
    s.DisableSound = num("DisableSound", "0");
}

void ApplyRangeLimits(Settings& s) {
    s.ImageInterval = clamp16(s.ImageInterval, 1, 32);
    s.Blocks = clamp16(s.Blocks, 10, 50);
    s.DissolveDelay = clamp16(s.DissolveDelay, 0, 200);
    s.MouseSensitivity = clamp16(s.MouseSensitivity, 10, 500);
}

Status StoreSettings(SettingsStore& store, std::string_view productName, const Settings& s) {
    const auto key = SettingsKeyPath(productName);
    auto put = [&](std::string_view name, std::string_view value) {
        store.write(kMachine, key, name, value);
    };
    auto n = [](std::int16_t v) { return std::to_string(v); };
    put("ImagePath", s.ImagePath);
    put("ImageInterval", n(s.ImageInterval));
    put("ImageListFile", s.ImageListFile);
    put("FullScreen", n(s.FullScreen));
    put("ImagePositionRandom", n(s.ImagePositionRandom));
    put("ImageOrderRandom", n(s.ImageOrderRandom));
    put("AllImages", n(s.AllImages));
    put("Blocks", n(s.Blocks));
    put("DissolveType", s.DissolveType);
    put("DissolveDelay", n(s.DissolveDelay));
    put("MouseSensitivity", n(s.MouseSensitivity));
    put("IgnoreMouse", n(s.IgnoreMouse != 0 ? 1 : 0));
    put("DisableSound", n(s.DisableSound != 0 ? 1 : 0));
    return store.flush();
}

void SetFirstGroupDefaults(Settings& s) {
    s.ImageInterval = 10;
    s.MouseSensitivity = 100;
    s.FullScreen = s.ImagePositionRandom = s.ImageOrderRandom = s.IgnoreMouse = s.DissolveDelay = 0;
}

} // namespace gf

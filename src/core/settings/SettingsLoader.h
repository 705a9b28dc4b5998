#pragma once
// Loading the settings with their defaults and range limits, and storing them all.
#include "base/Result.h"
#include "core/settings/SampleShow.h"
#include "core/settings/Settings.h"
#include "platform/SettingsStore.h"

#include <string>
#include <string_view>

namespace gf {

// "Software\Brindlewick\" + product name.
std::string SettingsKeyPath(std::string_view productName);

// Reads one numeric setting: the number-reading rule, rounded to 16 bits.
std::int16_t ReadNumericSetting(const SettingsStore& store, std::string_view productName,
                                std::string_view name, std::string_view defaultText);

// Reads the first group (when `firstGroupFromStore`) and the second group into `settings`.
// `defaultShow`, when given, is the template a first run shows: the defaults of ImagePath and
// ImageListFile (else the root folder and no template).
void LoadSettingsFromStore(const SettingsStore& store, std::string_view productName,
                           bool firstGroupFromStore, Settings& settings,
                           const ShowFile* defaultShow = nullptr);

// ImageInterval 1..32, Blocks 10..50, DissolveDelay 0..200, MouseSensitivity 10..500.
void ApplyRangeLimits(Settings& settings);

// Writes every value in the dialog's order and flushes once; on failure the stored file
// keeps its old content and the message names the file and the reason.
Status StoreSettings(SettingsStore& store, std::string_view productName, const Settings& settings);

// Defaults of the first group, as used when a package trailer cannot be read.
void SetFirstGroupDefaults(Settings& settings);

} // namespace gf

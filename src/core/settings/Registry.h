#pragma once
// The three registry procedures over a SettingsStore.
#include "base/Result.h"
#include "platform/SettingsStore.h"

#include <string>
#include <string_view>

namespace gf {

// The stored string, or `defaultText` when the value is missing or not a string.
std::string GetSettingString(const SettingsStore& store, std::uint32_t root,
                             std::string_view keyPath, std::string_view name,
                             std::string_view defaultText);

// Stores one string value and makes it persistent; a failure is reported, never swallowed.
Status SaveSettingString(SettingsStore& store, std::uint32_t root, std::string_view keyPath,
                         std::string_view name, std::string_view text);

// The value as text ("000"-formatted for a 32-bit number, first three characters); empty on
// every failure or for roots that are not predefined.
std::string ReadRegistryValue(const SettingsStore& store, std::uint32_t root,
                              std::string_view keyPath, std::string_view name);

} // namespace gf

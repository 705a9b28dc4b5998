#include "core/settings/Registry.h"

#include <cstdio>

namespace gf {

std::string GetSettingString(const SettingsStore& store, std::uint32_t root,
                             std::string_view keyPath, std::string_view name,
                             std::string_view defaultText) {
    auto value = store.read(root, keyPath, name);
    if (!value || value->type != StoredValue::Type::String)
        return std::string(defaultText);
    const auto nul = value->text.find('\0');
    return nul == std::string::npos ? value->text : value->text.substr(0, nul);
}

Status SaveSettingString(SettingsStore& store, std::uint32_t root, std::string_view keyPath,
                         std::string_view name, std::string_view text) {
    store.write(root, keyPath, name, text);
    return store.flush();
}

std::string ReadRegistryValue(const SettingsStore& store, std::uint32_t root,
                              std::string_view keyPath, std::string_view name) {
    if (root < static_cast<std::uint32_t>(RegistryRoot::ClassesRoot) ||
        root > static_cast<std::uint32_t>(RegistryRoot::DynData))
        return {};
    auto value = store.read(root, keyPath, name);
    if (!value)
        return {};
    switch (value->type) {
    case StoredValue::Type::Number: {
        // Formatted with at least three digits; a 4-byte value yields byteSize - 1 = 3 characters.
        char buf[16];
        std::snprintf(buf, sizeof buf, "%03u", value->number);
        return std::string(buf, 3);
    }
    case StoredValue::Type::String: {
        const auto nul = value->text.find('\0');
        return nul == std::string::npos ? value->text : value->text.substr(0, nul);
    }
    default:
        return {};
    }
}

} // namespace gf

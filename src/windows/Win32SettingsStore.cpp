#include "windows/Win32SettingsStore.h"

#include "windows/RegistryKey.h"
#include "windows/SystemError.h"
#include "windows/Utf16.h"

#include <algorithm>
#include <cstring>

namespace gf {

namespace {

constexpr auto kMachine = static_cast<std::uint32_t>(RegistryRoot::LocalMachine);
constexpr auto kUser = static_cast<std::uint32_t>(RegistryRoot::CurrentUser);

struct Root {
    HKEY hive;
    const char* name;
};

Root RootOf(std::uint32_t root) {
    switch (static_cast<RegistryRoot>(root)) {
    case RegistryRoot::ClassesRoot:
        return {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"};
    case RegistryRoot::CurrentUser:
        return {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"};
    case RegistryRoot::LocalMachine:
        return {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"};
    case RegistryRoot::Users:
        return {HKEY_USERS, "HKEY_USERS"};
    case RegistryRoot::CurrentConfig:
        return {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"};
    default: // performance data and the old dynamic data are nothing to store settings in
        return {nullptr, ""};
    }
}

// The user's key stands for the machine-wide one: the user may write it.
std::uint32_t WrittenRoot(std::uint32_t root) {
    return root == kMachine ? kUser : root;
}

// One view of the machine-wide key for the 32- and the 64-bit program (a 32-bit program would
// otherwise see Software\WOW6432Node).
REGSAM ViewOf(HKEY hive) {
    return hive == HKEY_LOCAL_MACHINE ? KEY_WOW64_64KEY : 0;
}

struct RawValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

RawValue QueryValue(HKEY key, const std::wstring& name) {
    RawValue value;
    value.data.resize(256);
    for (;;) {
        auto size = static_cast<DWORD>(value.data.size());
        const LSTATUS status =
            RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        if (status == ERROR_MORE_DATA) { // grown meanwhile, or longer than the first guess
            value.data.resize(std::max<std::size_t>(size, value.data.size() * 2));
            continue;
        }
        value.found = status == ERROR_SUCCESS;
        value.data.resize(value.found ? size : 0);
        return value;
    }
}

std::optional<StoredValue> ReadValue(HKEY hive, std::string_view keyPath, std::string_view name) {
    RegistryKey key;
    if (RegOpenKeyExW(hive, ToUtf16(keyPath).c_str(), 0, KEY_QUERY_VALUE | ViewOf(hive),
                      key.out()) != ERROR_SUCCESS)
        return std::nullopt;
    const RawValue raw = QueryValue(key.get(), ToUtf16(name));
    if (!raw.found)
        return std::nullopt;
    StoredValue value;
    if (raw.type == REG_SZ) {
        std::wstring text(raw.data.size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), raw.data.data(), text.size() * sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') // the terminator, however many
            text.pop_back();
        value.text = ToUtf8(text);
    } else if (raw.type == REG_DWORD && raw.data.size() == 4) {
        value.type = StoredValue::Type::Number;
        value.number = std::uint32_t{raw.data[0]} | std::uint32_t{raw.data[1]} << 8 |
                       std::uint32_t{raw.data[2]} << 16 | std::uint32_t{raw.data[3]} << 24;
    } else {
        value.type = StoredValue::Type::Other;
    }
    return value;
}

} // namespace

std::optional<StoredValue> Win32SettingsStore::read(std::uint32_t root, std::string_view keyPath,
                                                    std::string_view name) const {
    const std::uint32_t written = WrittenRoot(root);
    if (const auto p = pending_.find({written, std::string(keyPath)}); p != pending_.end())
        for (const auto& [pendingName, text] : p->second)
            if (pendingName == name)
                return StoredValue{StoredValue::Type::String, text, 0};
    if (const HKEY hive = RootOf(written).hive)
        if (auto value = ReadValue(hive, keyPath, name))
            return value;
    if (root == kMachine)
        return ReadValue(HKEY_LOCAL_MACHINE, keyPath, name);
    return std::nullopt;
}

void Win32SettingsStore::write(std::uint32_t root, std::string_view keyPath, std::string_view name,
                               std::string_view text) {
    const std::uint32_t written = WrittenRoot(root);
    if (!RootOf(written).hive)
        return;
    auto& values = pending_[{written, std::string(keyPath)}];
    for (auto& [pendingName, pendingText] : values)
        if (pendingName == name) {
            pendingText = std::string(text);
            return;
        }
    values.emplace_back(std::string(name), std::string(text));
}

Status Win32SettingsStore::flush() {
    // What each written value was before, to put back when a later one fails.
    struct Before {
        HKEY key;
        std::wstring name;
        RawValue value;
    };
    std::vector<RegistryKey> keys;
    std::vector<Before> journal;
    const auto undo = [&] {
        for (auto it = journal.rbegin(); it != journal.rend(); ++it) {
            if (it->value.found)
                RegSetValueExW(it->key, it->name.c_str(), 0, it->value.type, it->value.data.data(),
                               static_cast<DWORD>(it->value.data.size()));
            else
                RegDeleteValueW(it->key, it->name.c_str());
        }
    };
    for (const auto& [where, values] : pending_) {
        const Root root = RootOf(where.first);
        const auto failure = [&](LSTATUS status) {
            undo();
            return Status::failure(std::string("Cannot store the settings in ") + root.name + "\\" +
                                   where.second + ": " + DescribeSystemError(status));
        };
        RegistryKey key;
        if (const LSTATUS status = RegCreateKeyExW(
                root.hive, ToUtf16(where.second).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                KEY_QUERY_VALUE | KEY_SET_VALUE | ViewOf(root.hive), nullptr, key.out(), nullptr);
            status != ERROR_SUCCESS)
            return failure(status);
        keys.push_back(std::move(key));
        const HKEY open = keys.back().get();
        for (const auto& [name, text] : values) {
            Before before{open, ToUtf16(name), {}};
            before.value = QueryValue(open, before.name);
            const std::wstring wide = ToUtf16(text);
            const LSTATUS status = RegSetValueExW(
                open, before.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
            if (status != ERROR_SUCCESS)
                return failure(status);
            journal.push_back(std::move(before));
        }
    }
    pending_.clear();
    return {};
}

} // namespace gf

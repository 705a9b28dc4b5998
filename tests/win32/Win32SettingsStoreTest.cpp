#include "windows/Win32SettingsStore.h"
#include "windows/RegistryKey.h"
#include "windows/Utf16.h"

#include <gtest/gtest.h>
#include <string>

namespace gf {
namespace {

constexpr auto kMachine = static_cast<std::uint32_t>(RegistryRoot::LocalMachine);
constexpr auto kUser = static_cast<std::uint32_t>(RegistryRoot::CurrentUser);

// A key of the test's own under both roots, removed before and after.
class Registry : public ::testing::Test {
  protected:
    void SetUp() override { remove(); }
    void TearDown() override { remove(); }

    void remove() {
        for (const HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegistryKey parent;
            if (RegOpenKeyExW(hive, L"Software\\Brindlewick", 0,
                              KEY_ALL_ACCESS | (hive == HKEY_LOCAL_MACHINE ? KEY_WOW64_64KEY : 0),
                              parent.out()) == ERROR_SUCCESS)
                RegDeleteTreeW(parent.get(), ToUtf16(name_).c_str());
        }
    }
    void put(HKEY hive, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        RegistryKey key;
        ASSERT_EQ(
            RegCreateKeyExW(hive, ToUtf16(key_).c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE | (hive == HKEY_LOCAL_MACHINE ? KEY_WOW64_64KEY : 0),
                            nullptr, key.out(), nullptr),
            ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    void putText(HKEY hive, const wchar_t* name, std::wstring_view text) {
        put(hive, name, REG_SZ, text.data(), static_cast<DWORD>((text.size() + 1) * 2));
    }
    // As a later start reads it.
    std::string stored(std::uint32_t root, std::string_view name) const {
        const auto value = Win32SettingsStore().read(root, key_, name);
        if (!value)
            return "<missing>";
        return value->type == StoredValue::Type::String ? value->text : "<not text>";
    }
    // As the registry holds it under `hive` alone.
    std::wstring inHive(HKEY hive, const wchar_t* name) const {
        wchar_t text[256] = {};
        DWORD size = sizeof(text), type = 0;
        if (RegGetValueW(hive, ToUtf16(key_).c_str(), name,
                         RRF_RT_ANY | (hive == HKEY_LOCAL_MACHINE ? RRF_SUBKEY_WOW6464KEY : 0),
                         &type, text, &size) != ERROR_SUCCESS)
            return L"<missing>";
        return type == REG_SZ ? text : L"<not text>";
    }

    std::string name_ = "GlimmerframeTest-" + std::to_string(GetCurrentProcessId());
    std::string key_ = "Software\\Brindlewick\\" + name_;
};

TEST_F(Registry, UserFirstMachineWideForTheRestWrittenForTheUser) {
    putText(HKEY_LOCAL_MACHINE, L"ImageInterval", L"20");
    putText(HKEY_LOCAL_MACHINE, L"MouseSensitivity", L"300");
    const std::string path = "C:\\Bilder\\Strand \xC3\xA9t\xC3\xA9 \xE6\xB5\xB7";

    Win32SettingsStore store;
    EXPECT_EQ(store.read(kMachine, key_, "ImageInterval")->text, "20");
    store.write(kMachine, key_, "ImageInterval", "7");
    store.write(kMachine, key_, "ImagePath", path);
    store.write(kMachine, key_, "ImageListFile", "");
    EXPECT_EQ(store.read(kMachine, key_, "ImageInterval")->text, "7"); // before the flush too
    EXPECT_EQ(stored(kMachine, "ImageInterval"), "20");
    ASSERT_TRUE(store.flush().ok());

    EXPECT_EQ(stored(kMachine, "ImageInterval"), "7");
    EXPECT_EQ(stored(kMachine, "ImagePath"), path);
    EXPECT_EQ(stored(kMachine, "ImageListFile"), ""); // empty, not missing
    EXPECT_EQ(stored(kMachine, "MouseSensitivity"), "300");
    EXPECT_EQ(stored(kMachine, "Blocks"), "<missing>");
    EXPECT_EQ(inHive(HKEY_CURRENT_USER, L"ImagePath"), ToUtf16(path));
    EXPECT_EQ(inHive(HKEY_LOCAL_MACHINE, L"ImagePath"), L"<missing>");
    EXPECT_EQ(stored(kUser, "MouseSensitivity"), "<missing>"); // the user's key alone
    EXPECT_EQ(inHive(HKEY_CURRENT_USER, L"ImageInterval"), L"7");
}

// "ScreenSaveUsePassword" may be a string or a 32-bit number; other kinds read as other.
TEST_F(Registry, NumbersAndOtherKinds) {
    const DWORD one = 1;
    put(HKEY_CURRENT_USER, L"AsNumber", REG_DWORD, &one, sizeof(one));
    putText(HKEY_CURRENT_USER, L"AsText", L"1");
    put(HKEY_CURRENT_USER, L"AsBytes", REG_BINARY, "\1\2", 2);
    put(HKEY_CURRENT_USER, L"Unterminated", REG_SZ, L"abc", 6);
    Win32SettingsStore store;
    const auto number = store.read(kUser, key_, "AsNumber");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->type, StoredValue::Type::Number);
    EXPECT_EQ(number->number, 1u);
    EXPECT_EQ(stored(kUser, "AsText"), "1");
    EXPECT_EQ(store.read(kUser, key_, "AsBytes")->type, StoredValue::Type::Other);
    EXPECT_EQ(stored(kUser, "Unterminated"), "abc");
    EXPECT_FALSE(store.read(kUser, key_ + "\\none", "AsText"));
}

TEST_F(Registry, AValueThatCannotBeWrittenLeavesAllAsTheyWere) {
    putText(HKEY_CURRENT_USER, L"Blocks", L"20");
    Win32SettingsStore store;
    store.write(kMachine, key_, "AllImages", "1");
    store.write(kMachine, key_, "Blocks", "30");
    store.write(kMachine, key_, std::string(20000, 'x'), "1"); // longer than a name may be
    const Status result = store.flush();
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.message().starts_with("Cannot store the settings in HKEY_CURRENT_USER\\" +
                                             key_ + ": "))
        << result.message();
    EXPECT_EQ(stored(kMachine, "Blocks"), "20");
    EXPECT_EQ(stored(kMachine, "AllImages"), "<missing>");
}

} // namespace
} // namespace gf

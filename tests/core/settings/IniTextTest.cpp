#include "core/settings/IniText.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

std::string OneValue(std::string text) {
    const std::string file = IniFileText({{"v", IniValue{{std::move(text)}, false, {}}}});
    return file.substr(std::string("[General]\nv=").size(),
                       file.size() - std::string("[General]\nv=\n").size());
}

// The reader takes "\x" with every hex digit after it, so a digit after an escaped control
// must be escaped too, or it would join the control's number.
TEST(IniText, TextsAreEscapedWhereTheReaderWouldMisreadThem) {
    EXPECT_EQ(OneValue("\x1f"
                       "a9g"),
              "\\x1f\\x61\\x39g");
    EXPECT_EQ(OneValue(" "), "\" \"");
    EXPECT_EQ(OneValue("x "), "\"x \"");
    EXPECT_EQ(OneValue("a;b"), "\"a;b\"");
    EXPECT_EQ(OneValue("a=b,c"), "\"a=b,c\"");
    EXPECT_EQ(OneValue("@Variant"), "@@Variant");
    EXPECT_EQ(OneValue("tab\t\"C:\\\"\r\n"), "tab\\t\\\"C:\\\\\\\"\\r\\n");
    EXPECT_EQ(OneValue("\xC3\xA9\xF0\x9F\x8C\x85"), "\xC3\xA9\xF0\x9F\x8C\x85");
    // A byte that is not UTF-8 is stored as the replacement character.
    EXPECT_EQ(OneValue("a\xFF"), "a\xEF\xBF\xBD");
    EXPECT_EQ(OneValue(""), "");
}

TEST(IniText, KeysAndSectionsAreEscapedAndOrdered) {
    const std::map<std::string, IniValue> values = {
        {"b", {{"2"}, false, {}}},
        {"a.b_c-D9", {{"1"}, false, {}}},
        {"Extra/k\xC3\xBF\xC4\x80\xF0\x9F\x8C\x85", {{"3"}, false, {}}},
        {"Extra/x/y", {{"5"}, false, {}}},
        {"general/x", {{"4"}, false, {}}},
        {"S p/n", {{}, true, {}}},
        {"L/list", {{"a", "b c"}, true, {}}},
        {"L/one", {{"a"}, true, {}}},
        {"L/kept", {{"a", "b"}, true, "a ,b"}},
    };
    EXPECT_EQ(IniFileText(values), "[General]\na.b_c-D9=1\nb=2\n\n"
                                   "[Extra]\nk%FF%U0100%UD83C%UDF05=3\nx\\y=5\n\n"
                                   "[L]\nkept=a ,b\nlist=a, b c\none=a\n\n"
                                   "[S%20p]\nn=@Invalid()\n\n"
                                   "[%General]\nx=4\n");
    EXPECT_EQ(IniFileText({}), "");
}

TEST(IniText, WrittenTextIsTheLastLineOfItsSectionUnlessQuotedOrEscaped) {
    const std::string file = "ImagePath = /srv/a, b \n"
                             "[Extra]\nImagePath=other\n"
                             "[General]\r\nImagePath=/srv/c, d\r\nQuoted=\"a\", b\nEscaped=a\\,b\n"
                             "=no name\n[x]\n";
    EXPECT_EQ(IniWrittenText(file, "ImagePath"), "/srv/c, d");
    EXPECT_EQ(IniWrittenText(file, "Extra/ImagePath"), "other");
    EXPECT_EQ(IniWrittenText(file, "Quoted"), std::nullopt);
    EXPECT_EQ(IniWrittenText(file, "Escaped"), std::nullopt);
    EXPECT_EQ(IniWrittenText(file, "Missing"), std::nullopt);
    EXPECT_EQ(IniWrittenText(file, ""), std::nullopt);
}

} // namespace
} // namespace gf

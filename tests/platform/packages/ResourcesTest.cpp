// SPDX-License-Identifier: MIT
#include "platform/packages/Resources.h"
#include "platform/packages/PackageErrors.h"

#include <gtest/gtest.h>

namespace fw {

namespace {

TResourceBytes Bytes(const std::string& aText) {
    return {reinterpret_cast<const unsigned char*>(aText.data()), aText.size()};
}

// The message of the EResourceError that parsing aText raises.
template <class Parse> String ErrorOf(Parse aParse, const std::string& aText) {
    try {
        aParse(Bytes(aText), "R");
    } catch (const EResourceError& e) {
        return e.Message();
    }
    return "(no error)";
}

const std::string InfoText = "# comment\n"
                             "module: package\n"
                             "\n"
                             "flags: design-only never-build\r\n"
                             "requires: base  data\n"
                             "contains: Quire\n";
const std::string VersionText = "FileVersion: 1.2.3.65535\n"
                                "ProductVersion: 1.0.0.0\n"
                                "Translation: 0419 04E3\n"
                                "CompanyName:\n"
                                "Comments: \"a \\\"quoted\\\" word\"\n";
const std::string StringsText = "65520 \"Дата\"\n"
                                "7 \"two\\nlines \\\\ and a tab\\t\"\n";

const TResourceEntry Entries[] = {
    {rtPackageInfo, "PACKAGEINFO", reinterpret_cast<const unsigned char*>(InfoText.data()),
     InfoText.size()},
    {rtVersion, "1", reinterpret_cast<const unsigned char*>(VersionText.data()),
     VersionText.size()},
    {rtStringTable, "4096", reinterpret_cast<const unsigned char*>(StringsText.data()),
     StringsText.size()},
    {rtData, "DESCRIPTION", reinterpret_cast<const unsigned char*>("x"), 1},
};
const TResourceTable Table{0x0419, 1251, Entries, 4};

} // namespace

TEST(Resources, FoundByKindAndName) {
    EXPECT_EQ(FindResource(Table, rtData, "DESCRIPTION").size(), 1u);
    EXPECT_TRUE(HasResource(Table, rtVersion, "1"));
    EXPECT_FALSE(HasResource(Table, rtData, "1"));
    try {
        FindResource(Table, rtBitmap, "DESCRIPTION");
        FAIL() << "a resource of another kind was found";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource bitmap \"DESCRIPTION\" not found");
    }
    EXPECT_EQ(ResourceNames(Table, rtStringTable), std::vector<String>{"4096"});
}

TEST(Resources, PackageInfoReadsModuleFlagsAndLists) {
    const TPackageInfo info = ReadPackageInfo(Table);
    EXPECT_EQ(info.ModuleType, mtPackage);
    EXPECT_EQ(info.Flags, (TPackageFlags{pfDesignOnly, pfNeverBuild}));
    EXPECT_EQ(info.Requires, (std::vector<String>{"base", "data"}));
    EXPECT_EQ(info.Contains, std::vector<String>{"Quire"});
}

TEST(Resources, MalformedPackageInfoNamesTheLine) {
    const auto parse = [](TResourceBytes aData, const String& aName) {
        ParsePackageInfo(aData, aName);
    };
    EXPECT_EQ(ErrorOf(parse, "module: package\nflags: design-only sometimes\n"),
              "Resource R, line 2: unknown package flag \"sometimes\" in \"flags: design-only "
              "sometimes\"");
    EXPECT_EQ(ErrorOf(parse, "module: plugin"),
              "Resource R, line 1: unknown module type \"plugin\" in \"module: plugin\"");
    EXPECT_EQ(ErrorOf(parse, "flags: design-only run-only"),
              "Resource R, line 1: a package cannot be both design-only and run-only in \"flags: "
              "design-only run-only\"");
    EXPECT_EQ(ErrorOf(parse, "contains Quire"),
              "Resource R, line 1: expected \"key: value\" in \"contains Quire\"");
    EXPECT_EQ(ErrorOf(parse, "needs: x"),
              "Resource R, line 1: unknown key \"needs\" in \"needs: x\"");
}

TEST(Resources, VersionReadsNumbersTranslationAndTextFields) {
    const TVersionInfo info = ReadVersionInfo(Table);
    EXPECT_EQ(info.FileVersion, (std::array<uint16_t, 4>{1, 2, 3, 65535}));
    EXPECT_EQ(VersionToString(info.ProductVersion), "1.0.0.0");
    EXPECT_EQ(info.Language, 0x0419);
    EXPECT_EQ(info.CodePage, 0x04E3);
    EXPECT_EQ(info.Strings.at("CompanyName"), "");
    EXPECT_EQ(info.Strings.at("Comments"), "a \"quoted\" word");
}

TEST(Resources, MalformedVersionsAreRefused) {
    const auto parse = [](TResourceBytes aData, const String& aName) {
        ParseVersionInfo(aData, aName);
    };
    const String fourNumbers = "a version is four numbers from 0 to 65535 joined by dots";
    for (const char* bad :
         {"1.0.0", "1.0.0.0.0", "1.0.0.65536", "1..0.0", "1.0.0.x", "-1.0.0.0", "1.0.0.0."}) {
        SCOPED_TRACE(bad);
        EXPECT_NE(ErrorOf(parse, std::string("FileVersion: ") + bad).find(fourNumbers),
                  String::npos);
    }
    EXPECT_EQ(ErrorOf(parse, "ProductVersion: 1.0.0.0"), "Resource R: no FileVersion");
    EXPECT_NE(ErrorOf(parse, "FileVersion: 1.0.0.0\nTranslation: 419").find("hexadecimal"),
              String::npos);
    EXPECT_NE(ErrorOf(parse, "FileVersion: 1.0.0.0\nTranslation: 0419 4E3G").find("hexadecimal"),
              String::npos);
    EXPECT_NE(ErrorOf(parse, "FileVersion: 1.0.0.0\nComments: unquoted").find("double quotes"),
              String::npos);
}

TEST(Resources, StringTableReadsIdsAndEscapes) {
    const auto strings = ReadStringTable(Table);
    EXPECT_EQ(strings.at(65520), "Дата");
    EXPECT_EQ(strings.at(7), "two\nlines \\ and a tab\t");
    EXPECT_EQ(LoadStr(Table, 65520), "Дата");
    try {
        LoadStr(Table, 65521);
        FAIL() << "a missing string was loaded";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource string 65521 not found");
    }
}

TEST(Resources, MalformedStringTablesAreRefused) {
    const auto parse = [](TResourceBytes aData, const String& aName) {
        ParseStringTable(aData, aName);
    };
    EXPECT_EQ(ErrorOf(parse, "1 \"a\"\n1 \"b\""),
              "Resource R, line 2: id 1 is given twice in \"1 \"b\"\"");
    for (const char* bad : {"65536 \"x\"", "-1 \"x\"", "x \"y\"", "\"no id\""}) {
        SCOPED_TRACE(bad);
        EXPECT_NE(ErrorOf(parse, bad).find("a string starts with its id"), String::npos);
    }
    EXPECT_NE(ErrorOf(parse, "1 \"a\" b\"").find("written \\\""), String::npos);
    EXPECT_NE(ErrorOf(parse, "1 \"a\\q\"").find("unknown escape"), String::npos);
    EXPECT_NE(ErrorOf(parse, "1 \"a\\\"").find("lone backslash"), String::npos);
    EXPECT_NE(ErrorOf(parse, "1 unquoted").find("double quotes"), String::npos);
}

} // namespace fw

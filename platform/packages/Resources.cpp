// SPDX-License-Identifier: MIT
#include "platform/packages/Resources.h"

#include "platform/packages/PackageErrors.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace fw {

namespace {

// One meaningful line of a text resource, with its 1-based number.
struct TResourceLine {
    int32_t Number;
    std::string_view Text;
};

std::string_view Trim(std::string_view aText) {
    const auto first = aText.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = aText.find_last_not_of(" \t\r");
    return aText.substr(first, last - first + 1);
}

std::vector<TResourceLine> MeaningfulLines(TResourceBytes aData) {
    const std::string_view text(reinterpret_cast<const char*>(aData.data()), aData.size());
    std::vector<TResourceLine> lines;
    int32_t number = 0;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        ++number;
        const std::string_view line = Trim(text.substr(start, end - start));
        if (!line.empty() && line.front() != '#')
            lines.push_back({number, line});
        start = end + 1;
    }
    return lines;
}

[[noreturn]] void Malformed(const String& aResource, const TResourceLine& aLine,
                            const String& aWhat) {
    throw EResourceError("Resource " + aResource + ", line " + std::to_string(aLine.Number) + ": " +
                         aWhat + " in \"" + String(aLine.Text) + "\"");
}

// "key: value" split at the first colon; the key must not be empty.
std::pair<String, std::string_view> KeyValue(const String& aResource, const TResourceLine& aLine) {
    const auto colon = aLine.Text.find(':');
    if (colon == std::string_view::npos || colon == 0)
        Malformed(aResource, aLine, "expected \"key: value\"");
    return {String(Trim(aLine.Text.substr(0, colon))), Trim(aLine.Text.substr(colon + 1))};
}

std::vector<String> Words(std::string_view aText) {
    std::vector<String> words;
    size_t pos = 0;
    while (pos < aText.size()) {
        const size_t begin = aText.find_first_not_of(" \t", pos);
        if (begin == std::string_view::npos)
            break;
        const size_t end = std::min(aText.find_first_of(" \t", begin), aText.size());
        words.emplace_back(aText.substr(begin, end - begin));
        pos = end;
    }
    return words;
}

template <class T> bool ParseNumber(std::string_view aText, T& aValue, int aBase = 10) {
    if (aText.empty())
        return false;
    const auto [end, error] =
        std::from_chars(aText.data(), aText.data() + aText.size(), aValue, aBase);
    return error == std::errc() && end == aText.data() + aText.size();
}

TModuleType ParseModuleType(const String& aResource, const TResourceLine& aLine,
                            std::string_view aValue) {
    if (aValue == "package")
        return mtPackage;
    if (aValue == "program")
        return mtProgram;
    if (aValue == "library")
        return mtLibrary;
    Malformed(aResource, aLine, "unknown module type \"" + String(aValue) + "\"");
}

TPackageFlags ParseFlags(const String& aResource, const TResourceLine& aLine,
                         std::string_view aValue) {
    static const std::pair<const char*, TPackageFlag> names[] = {
        {"never-build", pfNeverBuild},
        {"design-only", pfDesignOnly},
        {"run-only", pfRunOnly},
        {"ignore-duplicate-units", pfIgnoreDupUnits}};
    TPackageFlags flags;
    for (const String& word : Words(aValue)) {
        const auto* found = std::find_if(std::begin(names), std::end(names),
                                         [&](const auto& name) { return word == name.first; });
        if (found == std::end(names))
            Malformed(aResource, aLine, "unknown package flag \"" + word + "\"");
        flags.Include(found->second);
    }
    if (flags.Contains(pfDesignOnly) && flags.Contains(pfRunOnly))
        Malformed(aResource, aLine, "a package cannot be both design-only and run-only");
    return flags;
}

std::array<uint16_t, 4> ParseVersionNumber(const String& aResource, const TResourceLine& aLine,
                                           std::string_view aValue) {
    std::array<uint16_t, 4> version{};
    size_t part = 0;
    size_t pos = 0;
    for (;;) {
        const size_t dot = std::min(aValue.find('.', pos), aValue.size());
        if (part == version.size() || !ParseNumber(aValue.substr(pos, dot - pos), version[part]))
            Malformed(aResource, aLine, "a version is four numbers from 0 to 65535 joined by dots");
        ++part;
        if (dot == aValue.size())
            break;
        pos = dot + 1;
    }
    if (part != version.size())
        Malformed(aResource, aLine, "a version is four numbers from 0 to 65535 joined by dots");
    return version;
}

void ParseTranslation(const String& aResource, const TResourceLine& aLine, std::string_view aValue,
                      TVersionInfo& aInfo) {
    const std::vector<String> words = Words(aValue);
    if (words.size() != 2 || !ParseNumber(std::string_view(words[0]), aInfo.Language, 16) ||
        !ParseNumber(std::string_view(words[1]), aInfo.CodePage, 16))
        Malformed(aResource, aLine, "a translation is a language and a code page in hexadecimal");
}

// A quoted string with \n, \t, \" and \\ escapes, which must end the line.
String ParseQuoted(const String& aResource, const TResourceLine& aLine, std::string_view aText) {
    if (aText.size() < 2 || aText.front() != '"' || aText.back() != '"')
        Malformed(aResource, aLine, "expected a string in double quotes");
    String result;
    for (size_t i = 1; i + 1 < aText.size(); ++i) {
        char c = aText[i];
        if (c == '"')
            Malformed(aResource, aLine, "a quote inside a string must be written \\\"");
        if (c == '\\') {
            if (i + 2 >= aText.size())
                Malformed(aResource, aLine, "the string ends in a lone backslash");
            switch (aText[++i]) {
            case 'n':
                c = '\n';
                break;
            case 't':
                c = '\t';
                break;
            case '"':
                c = '"';
                break;
            case '\\':
                c = '\\';
                break;
            default:
                Malformed(aResource, aLine, "unknown escape in a string");
            }
        }
        result += c;
    }
    return result;
}

} // namespace

String ResourceTypeName(TResourceType aType) {
    switch (aType) {
    case rtBitmap:
        return "bitmap";
    case rtIcon:
        return "icon";
    case rtData:
        return "data";
    case rtPackageInfo:
        return "package information";
    case rtVersion:
        return "version";
    case rtStringTable:
        return "string table";
    }
    return "resource";
}

bool HasResource(const TResourceTable& aTable, TResourceType aType, const String& aName) {
    for (size_t i = 0; i < aTable.Count; ++i)
        if (aTable.Entries[i].Type == aType && aName == aTable.Entries[i].Name)
            return true;
    return false;
}

TResourceBytes FindResource(const TResourceTable& aTable, TResourceType aType,
                            const String& aName) {
    for (size_t i = 0; i < aTable.Count; ++i) {
        const TResourceEntry& entry = aTable.Entries[i];
        if (entry.Type == aType && aName == entry.Name)
            return {entry.Data, entry.Size};
    }
    throw EResNotFound("Resource " + ResourceTypeName(aType) + " \"" + aName + "\" not found");
}

std::vector<String> ResourceNames(const TResourceTable& aTable, TResourceType aType) {
    std::vector<String> names;
    for (size_t i = 0; i < aTable.Count; ++i)
        if (aTable.Entries[i].Type == aType)
            names.emplace_back(aTable.Entries[i].Name);
    return names;
}

TPackageInfo ParsePackageInfo(TResourceBytes aData, const String& aResourceName) {
    TPackageInfo info;
    for (const TResourceLine& line : MeaningfulLines(aData)) {
        const auto [key, value] = KeyValue(aResourceName, line);
        if (key == "module")
            info.ModuleType = ParseModuleType(aResourceName, line, value);
        else if (key == "flags")
            info.Flags = ParseFlags(aResourceName, line, value);
        else if (key == "requires")
            info.Requires = Words(value);
        else if (key == "contains")
            info.Contains = Words(value);
        else
            Malformed(aResourceName, line, "unknown key \"" + key + "\"");
    }
    return info;
}

TPackageInfo ReadPackageInfo(const TResourceTable& aTable) {
    return ParsePackageInfo(FindResource(aTable, rtPackageInfo, "PACKAGEINFO"));
}

TVersionInfo ParseVersionInfo(TResourceBytes aData, const String& aResourceName) {
    TVersionInfo info;
    bool hasFileVersion = false;
    for (const TResourceLine& line : MeaningfulLines(aData)) {
        const auto [key, value] = KeyValue(aResourceName, line);
        if (key == "FileVersion") {
            info.FileVersion = ParseVersionNumber(aResourceName, line, value);
            hasFileVersion = true;
        } else if (key == "ProductVersion")
            info.ProductVersion = ParseVersionNumber(aResourceName, line, value);
        else if (key == "Translation")
            ParseTranslation(aResourceName, line, value, info);
        else
            info.Strings[key] = value.empty() ? String() : ParseQuoted(aResourceName, line, value);
    }
    if (!hasFileVersion)
        throw EResourceError("Resource " + aResourceName + ": no FileVersion");
    return info;
}

TVersionInfo ReadVersionInfo(const TResourceTable& aTable) {
    const std::vector<String> names = ResourceNames(aTable, rtVersion);
    if (names.empty())
        throw EResNotFound("Resource version not found");
    return ParseVersionInfo(FindResource(aTable, rtVersion, names.front()), names.front());
}

String VersionToString(const std::array<uint16_t, 4>& aVersion) {
    return std::to_string(aVersion[0]) + "." + std::to_string(aVersion[1]) + "." +
           std::to_string(aVersion[2]) + "." + std::to_string(aVersion[3]);
}

std::map<int32_t, String> ParseStringTable(TResourceBytes aData, const String& aResourceName) {
    std::map<int32_t, String> strings;
    for (const TResourceLine& line : MeaningfulLines(aData)) {
        const size_t space = line.Text.find_first_of(" \t");
        int32_t id = 0;
        if (space == std::string_view::npos || !ParseNumber(line.Text.substr(0, space), id) ||
            id < 0 || id > 65535)
            Malformed(aResourceName, line, "a string starts with its id, 0 to 65535");
        if (!strings.emplace(id, ParseQuoted(aResourceName, line, Trim(line.Text.substr(space))))
                 .second)
            Malformed(aResourceName, line, "id " + std::to_string(id) + " is given twice");
    }
    return strings;
}

std::map<int32_t, String> ReadStringTable(const TResourceTable& aTable) {
    std::map<int32_t, String> strings;
    for (const String& name : ResourceNames(aTable, rtStringTable))
        for (auto& [id, text] : ParseStringTable(FindResource(aTable, rtStringTable, name), name))
            if (!strings.emplace(id, std::move(text)).second)
                throw EResourceError("Resource string table " + name + ": id " +
                                     std::to_string(id) + " is given twice");
    return strings;
}

String LoadStr(const TResourceTable& aTable, int32_t aId) {
    const auto strings = ReadStringTable(aTable);
    const auto found = strings.find(aId);
    if (found == strings.end())
        throw EResNotFound("Resource string " + std::to_string(aId) + " not found");
    return found->second;
}

} // namespace fw

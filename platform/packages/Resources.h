// SPDX-License-Identifier: MIT
#pragma once
// Resources carried by a module (a package or a program): named pieces of data
// compiled into the binary, read through the framework.
//
// A module's resources are one TResourceTable; the build makes it from a list of
// files (cmake/FwResources.cmake, fw_add_resources) and the module exports it as
// fwModuleResources (see PackageExports.h). Kinds and the form of their data:
//   rtBitmap       a BMP file or a bare device-independent bitmap (see ResourceImages.h)
//   rtIcon         an icon file: a directory of images (see ResourceImages.h)
//   rtData         raw bytes (a package's DESCRIPTION is UTF-8 text)
//   rtPackageInfo  "key: value" lines: module, flags, requires, contains
//   rtVersion      "key: value" lines: FileVersion, ProductVersion (four numbers each),
//                  Translation (language and code page, hexadecimal), text fields
//   rtStringTable  lines of a numeric id and a quoted string ("\n", "\"", "\\" escapes)
// Lines starting with '#' and blank lines are skipped in the text kinds. Names are
// compared as given (upper case by custom). Reading malformed data raises
// EResourceError naming the resource and the line.

#include "platform/rtl/EnumSet.h"
#include "platform/rtl/Types.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace fw {

enum class TResourceType : uint8_t {
    rtBitmap,
    rtIcon,
    rtData,
    rtPackageInfo,
    rtVersion,
    rtStringTable
};
using enum TResourceType;

struct TResourceEntry {
    TResourceType Type;
    const char* Name;
    const unsigned char* Data;
    size_t Size;
};

struct TResourceTable {
    uint16_t Language; // e.g. 0x0419, Russian
    uint16_t CodePage; // e.g. 1251
    const TResourceEntry* Entries;
    size_t Count;
};

using TResourceBytes = std::span<const unsigned char>;

// The data of a resource; raises EResNotFound naming the kind and name.
TResourceBytes FindResource(const TResourceTable& aTable, TResourceType aType, const String& aName);
bool HasResource(const TResourceTable& aTable, TResourceType aType, const String& aName);
// The names of the resources of one kind, in table order.
std::vector<String> ResourceNames(const TResourceTable& aTable, TResourceType aType);
// The kind's name as messages show it ("bitmap", "icon"...).
String ResourceTypeName(TResourceType aType);

// --- package information ----------------------------------------------------------
enum class TModuleType { mtProgram, mtPackage, mtLibrary };
using enum TModuleType;
enum class TPackageFlag { pfNeverBuild, pfDesignOnly, pfRunOnly, pfIgnoreDupUnits };
using enum TPackageFlag;
using TPackageFlags = TEnumSet<TPackageFlag>;

struct TPackageInfo {
    TModuleType ModuleType = mtProgram;
    TPackageFlags Flags;
    std::vector<String> Requires; // the packages this one needs, by name
    std::vector<String> Contains; // the units it holds
};

// Reads the rtPackageInfo resource "PACKAGEINFO". Its lines:
//   module: package | program | library
//   flags: never-build design-only run-only ignore-duplicate-units (any of them)
//   requires: name name...
//   contains: unit unit...
TPackageInfo ReadPackageInfo(const TResourceTable& aTable);
TPackageInfo ParsePackageInfo(TResourceBytes aData, const String& aResourceName = "PACKAGEINFO");

// --- version ------------------------------------------------------------------------
struct TVersionInfo {
    std::array<uint16_t, 4> FileVersion{};
    std::array<uint16_t, 4> ProductVersion{};
    uint16_t Language = 0;
    uint16_t CodePage = 0;
    std::map<String, String> Strings; // CompanyName, FileDescription...: the text fields
};

// Reads the module's rtVersion resource (there is one; its name is not consulted).
TVersionInfo ReadVersionInfo(const TResourceTable& aTable);
TVersionInfo ParseVersionInfo(TResourceBytes aData, const String& aResourceName = "version");
// "1.0.0.0".
String VersionToString(const std::array<uint16_t, 4>& aVersion);

// --- string table -------------------------------------------------------------------
// The module's strings from every rtStringTable resource, by id.
std::map<int32_t, String> ReadStringTable(const TResourceTable& aTable);
std::map<int32_t, String> ParseStringTable(TResourceBytes aData,
                                           const String& aResourceName = "string table");
// One string; raises EResNotFound naming the id.
String LoadStr(const TResourceTable& aTable, int32_t aId);

} // namespace fw

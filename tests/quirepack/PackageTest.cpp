// SPDX-License-Identifier: MIT
// The package as a host that links the library sees it: the same unit, registry and
// TQuire class whether reached through the link or through LoadPackage.

#include "quire/box/Quire.h"
#include "quire/editors/DatePropEditors.h"
#include "quire/editors/EnumPropEditors.h"
#include "quire/editors/PropEditorRegistry.h"
#include "quire/editors/ScalarPropEditors.h"
#include "quire/editors/TextPropEditor.h"
#include "quire/inplace/PickList.h"
#include "quire/values/PropKinds.h"
#include "quire/values/QuireStrings.h"

#include "platform/controls/Application.h"
#include "platform/rtl/StringList.h"

#include "platform/graphics/Color.h"
#include "platform/packages/Package.h"
#include "platform/packages/Palette.h"
#include "platform/packages/ResourceImages.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quire {

namespace {

using fw::HMODULE;

size_t EditorCount() {
    return RegisteredPropEditors().size();
}

std::vector<fw::TClass> PageClasses(const fw::String& aPage) {
    for (const auto& page : fw::PalettePages())
        if (page.Name == aPage)
            return page.Classes;
    return {};
}

// Loads the package for one case and unloads it afterwards.
class LoadedPackage {
public:
    LoadedPackage() : FModule(fw::LoadPackage(QUIREPACK_FILE)) {}
    ~LoadedPackage() { fw::UnloadPackage(FModule); }
    LoadedPackage(const LoadedPackage&) = delete;
    LoadedPackage& operator=(const LoadedPackage&) = delete;
    HMODULE Module() const { return FModule; }
    const fw::TResourceTable& Resources() const { return fw::ModuleResources(FModule); }

private:
    HMODULE FModule;
};

} // namespace

TEST(QuirePack, LoadRunsTheStartUpAndUnloadTheShutDown) {
    // Linking the library ran its start-up when this program started; stand that down
    // so that the registry below is the package's own doing.
    FinalizeEditorsUnit();
    ASSERT_EQ(EditorCount(), 0u);

    HMODULE module = fw::LoadPackage(QUIREPACK_FILE);
    const std::vector<TRegPropEditorInfo> editors = RegisteredPropEditors();
    ASSERT_EQ(editors.size(), 12u);
    const std::pair<TPropClass, TPropEditorClass> standard[] = {
        {TBooleanProp::StaticClass(), TBooleanPropEditor::StaticClass()},
        {TSmallintProp::StaticClass(), TSmallintPropEditor::StaticClass()},
        {TLongintProp::StaticClass(), TLongintPropEditor::StaticClass()},
        {TStringProp::StaticClass(), TStringPropEditor::StaticClass()},
        {TDoubleProp::StaticClass(), TDoublePropEditor::StaticClass()},
        {TTextProp::StaticClass(), TTextPropEditor::StaticClass()},
        {TDateProp::StaticClass(), TDatePropEditor::StaticClass()},
        {TTimeProp::StaticClass(), TTimePropEditor::StaticClass()},
        {TDateTimeProp::StaticClass(), TDateTimePropEditor::StaticClass()},
        {TWordProp::StaticClass(), TWordPropEditor::StaticClass()},
        {TLargeintProp::StaticClass(), TLargeintPropEditor::StaticClass()},
        {TDecimalProp::StaticClass(), TDecimalPropEditor::StaticClass()}};
    for (size_t i = 0; i < editors.size(); ++i) {
        EXPECT_EQ(editors[i].PropClass, standard[i].first) << i;
        EXPECT_EQ(editors[i].EditorClass, standard[i].second) << i;
    }

    fw::UnloadPackage(module);
    EXPECT_EQ(EditorCount(), 0u);

    module = fw::LoadPackage(QUIREPACK_FILE);
    EXPECT_EQ(EditorCount(), 12u);
    fw::UnloadPackage(module);
    EXPECT_EQ(EditorCount(), 0u);

    InitializeEditorsUnit();
}

TEST(QuirePack, ALoadBesideTheHostsOwnStartUpLeavesItsRegistrationsAlone) {
    ASSERT_EQ(EditorCount(), 12u);
    RegisterPropEditor("host", TLongintProp::StaticClass(), TStringPropEditor::StaticClass());
    {
        LoadedPackage package;
        EXPECT_EQ(EditorCount(), 13u);
    }
    EXPECT_EQ(EditorCount(), 13u);
    EXPECT_EQ(RegisteredPropEditors().back().Name, "host");
    // Put the standard registry back for the other cases.
    FinalizeEditorsUnit();
    InitializeEditorsUnit();
    EXPECT_EQ(EditorCount(), 12u);
}

TEST(QuirePack, RegisterPutsExactlyTQuireOnDataControlsUntilUnload) {
    {
        LoadedPackage package;
        EXPECT_TRUE(PageClasses("Data Controls").empty());
        EXPECT_TRUE(fw::RegisterPackage(package.Module()));
        EXPECT_EQ(PageClasses("Data Controls"), std::vector<fw::TClass>{TQuire::StaticClass()});
        EXPECT_EQ(fw::PalettePages().size(), 1u);
    }
    EXPECT_TRUE(PageClasses("Data Controls").empty());
    EXPECT_TRUE(fw::PalettePages().empty());
}

TEST(QuirePack, PaletteImageIsA24By24SixteenColourBitmap) {
    LoadedPackage package;
    const fw::TBitmapInfo info = fw::ReadBitmapInfo(package.Resources(), "TQUIRE");
    EXPECT_EQ(info.Width, 24);
    EXPECT_EQ(info.Height, 24);
    EXPECT_EQ(info.BitCount, 4);
    EXPECT_EQ(info.ColorCount, 16);
    EXPECT_EQ(info.Compression, 0u);

    fw::TBitmap bitmap;
    fw::LoadBitmapResource(package.Resources(), "TQUIRE", bitmap);
    fw::TCanvas& canvas = bitmap.Canvas();
    EXPECT_EQ(canvas.Pixel(0, 23), fw::RGB(192, 192, 192)); // the background
    EXPECT_EQ(canvas.Pixel(10, 5), fw::RGB(128, 128, 128)); // the divider
    EXPECT_EQ(canvas.Pixel(4, 13), fw::RGB(0, 0, 128));     // the selected row's name
    EXPECT_EQ(canvas.Pixel(18, 15), fw::RGB(0, 0, 0));      // its drop-down arrow
    std::filesystem::create_directories(QUIRE_SCREENSHOT_DIR);
    bitmap.SaveToFile(QUIRE_SCREENSHOT_DIR "/quirepack-palette-image.png");

    const auto icons = fw::ReadIconInfo(package.Resources(), "MAINICON");
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].Width, 32);
    EXPECT_EQ(icons[1].Width, 16);
    EXPECT_EQ(icons[1].BitCount, 4);
    fw::LoadIconResource(package.Resources(), "MAINICON", 16, fw::clBtnFace, bitmap);
    EXPECT_EQ(bitmap.Width(), 16);
}

TEST(QuirePack, PackageInfoVersionAndDescription) {
    LoadedPackage package;
    EXPECT_EQ(package.Resources().Language, 0x0419);
    EXPECT_EQ(package.Resources().CodePage, 1251);

    const fw::TPackageInfo info = fw::GetPackageInfo(package.Module());
    EXPECT_EQ(info.ModuleType, fw::mtPackage);
    EXPECT_EQ(info.Flags, (fw::TPackageFlags{fw::pfDesignOnly, fw::pfNeverBuild}));
    EXPECT_EQ(info.Requires, (std::vector<fw::String>{"quire_fw", "quire_fwdb"}));
    EXPECT_EQ(info.Contains, std::vector<fw::String>{"Quire"});

    const fw::TVersionInfo version = fw::ReadVersionInfo(package.Resources());
    // The project's version (from CMake) as four numbers.
    EXPECT_EQ(fw::VersionToString(version.FileVersion), QUIRE_VERSION ".0");
    EXPECT_EQ(fw::VersionToString(version.ProductVersion), QUIRE_VERSION ".0");
    EXPECT_EQ(version.Language, 0x0419);
    EXPECT_EQ(version.CodePage, 0x04E3);
    EXPECT_FALSE(version.Strings.empty());
    for (const auto& [key, text] : version.Strings)
        EXPECT_EQ(text, "") << key;

    EXPECT_EQ(fw::GetPackageDescription(package.Module()), "Quire: data-aware property inspector");
}

TEST(QuirePack, StringTableHoldsTheUnitsResourceStrings) {
    LoadedPackage package;
    const auto strings = fw::ReadStringTable(package.Resources());
    ASSERT_EQ(strings.size(), 7u);
    EXPECT_EQ(strings.begin()->first, SDate);
    EXPECT_EQ(strings.rbegin()->first, STrue);
    // The table the package carries says what the unit's own defaults say.
    ResStrings().Reset();
    for (const auto& [id, text] : strings)
        EXPECT_EQ(text, LoadResString(id)) << id;
    EXPECT_EQ(strings.at(SNull), "Null");
}

TEST(QuirePack, TheLastUnloadFreesTheSharedPickList) {
    // The application object owns the pick list form; a package that left it there
    // would have it destroyed after the package's code is gone.
    fw::Application->OnModalShown = [](fw::TWinControl* aList) {
        static_cast<fw::TForm*>(aList)->SetModalResult(fw::mrCancel);
    };
    fw::TStringList values;
    values.Add("False");
    values.Add("True");
    fw::String value = "True";
    ShowPickList(fw::Rect(10, 10, 110, 30), value, values, nullptr);
    fw::Application->OnModalShown = nullptr;
    ASSERT_NE(PickListForm, nullptr);
    auto first = std::make_unique<LoadedPackage>();
    std::make_unique<LoadedPackage>().reset();
    EXPECT_NE(PickListForm, nullptr); // a load still holds the package
    first.reset();
    EXPECT_EQ(PickListForm, nullptr);
}

} // namespace quire

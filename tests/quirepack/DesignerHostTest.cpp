// SPDX-License-Identifier: MIT
// The package as a form designer sees it: this program links only the framework
// libraries, so the package's code is there only while the package is loaded.

#include "quire/editors/PropEditorRegistry.h"

#include "platform/controls/Application.h"
#include "platform/packages/Package.h"
#include "platform/packages/Palette.h"
#include "platform/qt/WindowImage.h"
#include "platform/stdctrls/Form.h"
#include "platform/stdctrls/ListBox.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

bool Mapped(const char* aFile) {
    void* library = dlopen(aFile, RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr)
        return false;
    dlclose(library);
    return true;
}

// The registry's listing, found in the loaded package by its linker name: the
// designer has no other way to reach the package's functions.
std::vector<quire::TRegPropEditorInfo> PackageEditors(fw::HMODULE aModule) {
    using TListing = std::vector<quire::TRegPropEditorInfo> (*)();
    const auto listing = reinterpret_cast<TListing>(
        fw::GetProcAddress(aModule, "_ZN5quire21RegisteredPropEditorsEv"));
    if (listing == nullptr)
        throw std::runtime_error("the package exports no registry listing");
    return listing();
}

std::vector<fw::TClass> DataControls() {
    for (const auto& page : fw::PalettePages())
        if (page.Name == "Data Controls")
            return page.Classes;
    return {};
}

} // namespace

TEST(DesignerHost, LoadsRegistersShowsAndUnloadsThePackage) {
    ASSERT_FALSE(Mapped(QUIREPACK_FILE));
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        const fw::HMODULE module = fw::LoadPackage(QUIREPACK_FILE);
        EXPECT_EQ(PackageEditors(module).size(), 12u);
        EXPECT_TRUE(DataControls().empty());

        ASSERT_TRUE(fw::RegisterPackage(module));
        const std::vector<fw::TClass> classes = DataControls();
        ASSERT_EQ(classes.size(), 1u);
        EXPECT_EQ(classes[0]->ClassName(), "TQuire");
        EXPECT_TRUE(classes[0]->InheritsFrom(fw::TCustomListBox::StaticClass()));

        {
            // The designer drops the component on a form through its class.
            auto form = fw::New<fw::TForm>(nullptr, 0);
            form->SetBounds(0, 0, 240, 160);
            auto box = fw::CreateAs<fw::TCustomListBox>(classes[0]);
            box->SetBounds(8, 8, 200, 120);
            box->SetParent(form.get());
            form->Show();
            fw::Application->ProcessMessages();
            EXPECT_EQ(fw::WindowPixel(*box, 100, 60), fw::RGB(255, 255, 255));
            std::filesystem::create_directories(QUIRE_SCREENSHOT_DIR);
            fw::SaveWindowToPng(*form, QUIRE_SCREENSHOT_DIR "/quirepack-designer-form.png");
            box.reset();
            form.reset();
            fw::Application->ProcessMessages();
        }

        fw::UnloadPackage(module);
        EXPECT_FALSE(Mapped(QUIREPACK_FILE));
        EXPECT_TRUE(fw::PalettePages().empty());
    }
}

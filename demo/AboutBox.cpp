// SPDX-License-Identifier: MIT
#include "AboutBox.h"

#include "platform/graphics/Bitmap.h"
#include "platform/packages/Palette.h"
#include "platform/packages/ResourceImages.h"
#include "platform/stdctrls/Button.h"

#include <algorithm>
#include <cctype>

namespace demo {

namespace {

constexpr int32_t Margin = 16;
constexpr int32_t TextLeft = 64;
constexpr int32_t LineHeight = 20;
constexpr int32_t PaletteRowHeight = 30;

fw::String UpperCase(fw::String aText) {
    std::transform(aText.begin(), aText.end(), aText.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return aText;
}

} // namespace

FW_IMPLEMENT_ABSTRACT_CLASS(TAboutBox)

TAboutBox::TAboutBox(fw::HMODULE aPackage) : TForm(nullptr, 0), FPackage(aPackage) {
    SetCaption("About the Quire demo");
    SetBorderStyle(fw::bsDialog);
    SetPosition(fw::poMainFormCenter);
    const int32_t classRows = [] {
        int32_t rows = 0;
        for (const auto& page : fw::PalettePages())
            rows += 1 + static_cast<int32_t>(page.Classes.size());
        return rows;
    }();
    SetClientSize(460, Margin + 5 * LineHeight + classRows * PaletteRowHeight + 56);

    auto* ok = fw::CreateOwned<fw::TButton>(this);
    ok->SetCaption("OK");
    ok->SetModalResult(fw::mrOk);
    ok->SetDefault(true);
    ok->SetCancel(true);
    ok->SetBounds(ClientWidth() - Margin - 80, ClientHeight() - Margin - 26, 80, 26);
    ok->SetParent(this);
}

std::vector<fw::String> TAboutBox::Lines() const {
    const fw::TVersionInfo version = fw::ReadVersionInfo(fw::ModuleResources(FPackage));
    std::vector<fw::String> lines = {"Quire demo", fw::GetPackageDescription(FPackage),
                                     "Package " + fw::GetModuleFileName(FPackage),
                                     "Version " + fw::VersionToString(version.FileVersion),
                                     "Component palette:"};
    for (const auto& page : fw::PalettePages()) {
        lines.push_back("Page \"" + page.Name + "\"");
        for (fw::TClass cls : page.Classes)
            lines.push_back(cls->ClassName());
    }
    return lines;
}

void TAboutBox::Paint() {
    TForm::Paint();
    fw::TCanvas& canvas = *Canvas();
    const fw::TResourceTable& resources = fw::ModuleResources(FPackage);
    fw::TBitmap image;
    fw::LoadIconResource(resources, "MAINICON", 32, Color(), image);
    canvas.Draw(Margin, Margin, image);

    canvas.Brush().SetStyle(fw::bsClear);
    canvas.Font().Assign(*Font());
    const std::vector<fw::String> lines = Lines();
    int32_t y = Margin;
    for (size_t i = 0; i < 5; ++i) {
        canvas.Font().SetStyle(i == 0 || i == 4 ? fw::TFontStyles{fw::fsBold} : fw::TFontStyles{});
        canvas.TextOut(TextLeft, y, lines[i]);
        y += LineHeight;
    }
    canvas.Font().SetStyle({});
    for (const auto& page : fw::PalettePages()) {
        canvas.TextOut(TextLeft, y + 6, "Page \"" + page.Name + "\"");
        y += PaletteRowHeight;
        for (fw::TClass cls : page.Classes) {
            const fw::String imageName = UpperCase(cls->ClassName());
            if (fw::HasResource(resources, fw::rtBitmap, imageName)) {
                fw::LoadBitmapResource(resources, imageName, image);
                canvas.Draw(TextLeft + 16, y, image);
            }
            canvas.TextOut(TextLeft + 48, y + 5, cls->ClassName());
            y += PaletteRowHeight;
        }
    }
    canvas.Brush().SetStyle(fw::bsSolid);
}

} // namespace demo

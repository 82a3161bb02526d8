// SPDX-License-Identifier: MIT
// Shows a TQuire bound to an in-memory record, then loads the installed package and
// reads the palette page it registers. Exits 0 when all of it worked.

#include "quire/box/Quire.h"

#include "platform/controls/Application.h"
#include "platform/db/DataSource.h"
#include "platform/db/MemoryDataSet.h"
#include "platform/packages/Package.h"
#include "platform/packages/Palette.h"
#include "platform/stdctrls/Form.h"

#include <cstdio>
#include <memory>

namespace {

int Fail(const char* aWhat) {
    std::fprintf(stderr, "consumer: %s\n", aWhat);
    return 1;
}

} // namespace

int main() {
    try {
        fw::Application->Initialize();
        fw::TMemoryDataSet records;
        records.FieldDefs().Add("Name", fw::ftString, 40);
        records.FieldDefs().Add("Copies", fw::ftInteger);
        records.Open();
        records.Append();
        records.FieldByName("Name").SetAsString("Анна Каренина");
        records.FieldByName("Copies").SetAsInteger(3);
        records.Post();
        fw::TDataSource source;
        source.SetDataSet(&records);

        auto form = fw::New<fw::TForm>(nullptr, 0);
        form->SetBounds(0, 0, 320, 200);
        auto* box = fw::CreateOwned<quire::TQuire>(form.get());
        box->SetAlign(fw::alClient);
        box->SetParent(form.get());
        box->SetDataSource(&source);
        form->Show();
        fw::Application->ProcessMessages();
        if (box->Items()->Count() != 2)
            return Fail("the box does not show the record's two fields");

        const fw::HMODULE package = fw::LoadPackage(QUIRE_PACKAGE_FILE);
        fw::RegisterPackage(package);
        if (fw::ComponentPage(quire::TQuire::StaticClass()) != "Data Controls")
            return Fail("the package did not put TQuire on \"Data Controls\"");
        fw::UnloadPackage(package);
        form.reset();
        std::printf("consumer: the box shows 2 rows; the package registered TQuire on "
                    "\"Data Controls\"\n");
        return 0;
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}

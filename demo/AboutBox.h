// SPDX-License-Identifier: MIT
#pragma once
// The About box: the demo's name, the package it loaded (file, description,
// version) with the package's icon, and the component palette as the package left
// it: each page with its classes and their palette images.

#include "platform/packages/Package.h"
#include "platform/stdctrls/Form.h"

namespace demo {

class TAboutBox : public fw::TForm {
    FW_CLASS(TAboutBox, fw::TForm)
public:
    explicit TAboutBox(fw::HMODULE aPackage);

    // The lines the box shows, top to bottom (for the tour and the tests).
    std::vector<fw::String> Lines() const;

protected:
    void Paint() override;

private:
    fw::HMODULE FPackage;
};

} // namespace demo

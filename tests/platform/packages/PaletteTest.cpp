// SPDX-License-Identifier: MIT
#include "platform/packages/Palette.h"
#include "platform/controls/Component.h"
#include "platform/packages/PackageErrors.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fw {

namespace {

// Each case registers classes of its own: host registrations stay for the process.
#define TEST_COMPONENT(Name)                                                                       \
    class Name : public TComponent {                                                               \
        FW_CLASS(Name, TComponent)                                                                 \
    public:                                                                                        \
        explicit Name(TComponent* aOwner = nullptr) : TComponent(aOwner) {}                        \
    };                                                                                             \
    FW_IMPLEMENT_CLASS(Name)

TEST_COMPONENT(TGridA)
TEST_COMPONENT(TGridB)
TEST_COMPONENT(TGridC)
TEST_COMPONENT(TGridD)
TEST_COMPONENT(TGridE)
TEST_COMPONENT(TGridF)

class TNotAComponent : public TObject {
    FW_CLASS(TNotAComponent, TObject)
};
FW_IMPLEMENT_CLASS(TNotAComponent)

const TPalettePage* FindPage(const std::vector<TPalettePage>& aPages, const String& aName) {
    auto found = std::find_if(aPages.begin(), aPages.end(),
                              [&](const TPalettePage& page) { return page.Name == aName; });
    return found == aPages.end() ? nullptr : &*found;
}

ptrdiff_t PageIndex(const std::vector<TPalettePage>& aPages, const String& aName) {
    return FindPage(aPages, aName) - aPages.data();
}

} // namespace

TEST(Palette, PagesAndClassesKeepTheirRegistrationOrder) {
    RegisterComponents("Order Two", {TGridB::StaticClass()});
    RegisterComponents("Order One", {TGridA::StaticClass()});
    RegisterComponents("Order Two", {TGridC::StaticClass()});

    const auto pages = PalettePages();
    const TPalettePage* two = FindPage(pages, "Order Two");
    const TPalettePage* one = FindPage(pages, "Order One");
    ASSERT_NE(two, nullptr);
    ASSERT_NE(one, nullptr);
    EXPECT_LT(PageIndex(pages, "Order Two"), PageIndex(pages, "Order One"));
    EXPECT_EQ(two->Classes, (std::vector<TClass>{TGridB::StaticClass(), TGridC::StaticClass()}));
    EXPECT_EQ(ComponentPage(TGridC::StaticClass()), "Order Two");
    EXPECT_EQ(FindComponentClass("TGridA"), TGridA::StaticClass());
    EXPECT_EQ(FindComponentClass("TNoSuchGrid"), nullptr);
    EXPECT_EQ(ComponentPage(TNotAComponent::StaticClass()), "");
}

TEST(Palette, RefusesBadRegistrationsWholly) {
    // The refused call registers none of its classes, not even the good first one.
    try {
        RegisterComponents("Refusals", {TGridD::StaticClass(), TNotAComponent::StaticClass()});
        FAIL() << "a class that is not a component was registered";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "RegisterComponents: TNotAComponent is not a component class and "
                               "cannot go on page \"Refusals\"");
    }
    EXPECT_EQ(FindPage(PalettePages(), "Refusals"), nullptr);
    EXPECT_EQ(ComponentPage(TGridD::StaticClass()), "");

    EXPECT_THROW(RegisterComponents("", {TGridD::StaticClass()}), EComponentError);
    EXPECT_THROW(RegisterComponents("Refusals", {nullptr}), EComponentError);
    EXPECT_THROW(RegisterComponents("Refusals", {TGridD::StaticClass(), TGridD::StaticClass()}),
                 EComponentError);
    EXPECT_EQ(ComponentPage(TGridD::StaticClass()), "");
}

TEST(Palette, AClassGoesOnOnePageOnly) {
    RegisterComponents("First Home", {TGridE::StaticClass()});
    try {
        RegisterComponents("Second Home", {TGridF::StaticClass(), TGridE::StaticClass()});
        FAIL() << "a class was registered twice";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(),
                  "RegisterComponents: TGridE is already registered on page \"First Home\"");
    }
    EXPECT_EQ(ComponentPage(TGridE::StaticClass()), "First Home");
    EXPECT_EQ(ComponentPage(TGridF::StaticClass()), "");
    EXPECT_EQ(FindPage(PalettePages(), "Second Home"), nullptr);
}

} // namespace fw

// SPDX-License-Identifier: MIT
#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/OwnerDrawState.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(ColorToRGB, ResolvesSystemColoursThroughTheFixedPalette) {
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clWindowText), RGB(0, 0, 0));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(192, 192, 192));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(0, 0, 128));
    EXPECT_EQ(ColorToRGB(clHighlightText), RGB(255, 255, 255));
    EXPECT_EQ(clBtnShadow, 0x80000010u);
    EXPECT_EQ(clBtnHighlight, 0x80000014u);
}

TEST(ColorToRGB, KeepsPlainColoursAndRejectsOthers) {
    EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456u);
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
    EXPECT_THROW(ColorToRGB(0x1FFFFFFF), EInvalidGraphicOperation);
    EXPECT_THROW(ColorToRGB(clSystemColor | 0x7F), EInvalidGraphicOperation);
    try {
        ColorToRGB(0x12000000);
        FAIL() << "no exception";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_NE(e.Message().find("12000000"), String::npos) << e.Message();
    }
}

TEST(OwnerDrawState, MembersAreTheItemStateBits) {
    // ODS_SELECTED = 0x1, ODS_FOCUS = 0x10, ODS_COMBOBOXEDIT = 0x1000.
    const TOwnerDrawState state = TOwnerDrawState::FromBits(0x1 | 0x10);
    EXPECT_EQ(state, (TOwnerDrawState{odSelected, odFocused}));
    EXPECT_FALSE(state.Contains(odGrayed));
    EXPECT_EQ(TOwnerDrawState{odComboBoxEdit}.ToBits(), 0x1000);
    EXPECT_EQ((state - TOwnerDrawState{odFocused}), TOwnerDrawState{odSelected});
    EXPECT_EQ((state * TOwnerDrawState{odFocused, odChecked}), TOwnerDrawState{odFocused});
    EXPECT_TRUE(TOwnerDrawState{}.Empty());
}

} // namespace
} // namespace fw

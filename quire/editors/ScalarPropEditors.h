// SPDX-License-Identifier: MIT
#pragma once
// The standard editors of the one-line kinds: strings, 16-, 32- and 64-bit
// integers, floating-point numbers and exact decimals. Each converts text both ways with the
// framework's conversion routines, so numbers follow fw::FormatSettings(). Attributes are the
// inherited [peaMultiSelect]; none has lookups, a dialog or sub-properties.
//
// Failures: integer and number setters raise fw::EConvertError for text that does not
// convert (or, for the word, 64-bit and decimal editors, does not fit), before
// anything is stored. The string setter never fails.

#include "quire/editors/PropEditor.h"

#include "platform/rtl/Decimal.h"

namespace quire {

// The property's text; a longer text is stored as its first 250 bytes, never
// splitting a UTF-8 character. The property must be a TStringProp (or derived);
// another kind raises EPropEditor.
class TStringPropEditor : public TPropEditor {
    FW_CLASS(TStringPropEditor, TPropEditor)
public:
    TStringPropEditor() = default;
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;
};

// Shows the value as a 16-bit signed integer; stores the low 16 bits of any 32-bit
// number typed (no range check: 40000 becomes -25536).
class TSmallintPropEditor : public TPropEditor {
    FW_CLASS(TSmallintPropEditor, TPropEditor)
public:
    TSmallintPropEditor() = default;
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;
};

class TLongintPropEditor : public TPropEditor {
    FW_CLASS(TLongintPropEditor, TPropEditor)
public:
    TLongintPropEditor() = default;
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;
};

// 0 to 65535, shown and written as that number.
class TWordPropEditor : public TPropEditor {
    FW_CLASS(TWordPropEditor, TPropEditor)
public:
    TWordPropEditor() = default;
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;
};

// A TLargeintProp: any 64-bit number; text beyond the range is refused.
class TLargeintPropEditor : public TPropEditor {
    FW_CLASS(TLargeintPropEditor, TPropEditor)
public:
    TLargeintPropEditor() = default;
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;
};

// A TDecimalProp: shown with the format settings' decimal separator and at least the
// property's Scale decimals ("1490,50"), no thousand separators (as the double row).
// Text is read with either separator (see ParseDecimalText) and refused, naming the
// text and the limit, when it has more decimals than Scale (trailing zeros aside) or
// more digits before the point than Precision - Scale; it is stored with Scale
// decimals. A property without a Precision takes any number.
class TDecimalPropEditor : public TPropEditor {
    FW_CLASS(TDecimalPropEditor, TPropEditor)
public:
    TDecimalPropEditor() = default;
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;
};

// Shows the value fixed-point with four decimals (FloatToStrF ffFixed, 15, 4); reads
// text with ParseFloatText.
class TDoublePropEditor : public TPropEditor {
    FW_CLASS(TDoublePropEditor, TPropEditor)
public:
    TDoublePropEditor() = default;
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;
};

// A number typed with either "," or "." as the decimal separator: the first
// occurrence of the other one (for "." the first ",", for "," the first "."; for
// any other separator the first ",", else the first ".") becomes the locale's
// separator, then StrToFloat converts. Raises fw::EConvertError naming the text.
double ParseFloatText(const fw::String& aValue);
// The same rule for an exact decimal; raises fw::EConvertError naming the text.
fw::TDecimal ParseDecimalText(const fw::String& aValue);

} // namespace quire

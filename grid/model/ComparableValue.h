// ComparableValue: the normalised form of a VARIANT in which two values are
// ordered or tested for equality (value-list look-ups, row sorting). A value
// is classified into a kind; a value of one kind can be brought to another
// kind by conversion of its source, so that two values of different types
// compare as one type.
#pragma once

#include "DualString.h"

#include <windows.h>
#include <oaidl.h>

class ComparableValue {
public:
    // The kinds are the VARTYPE numbers of the type each is held as.
    enum Kind : VARTYPE {
        None = 0,       // empty, objects, arrays, decimals, 64-bit integers
        Null = 1,
        Integer = 3,    // 32-bit, signed or unsigned
        Floating = 5,   // single and double precision
        Currency = 6,
        Date = 7,
        Text = 8,
        Boolean = 11,
    };

    ComparableValue();
    // The source is copied with references followed.
    explicit ComparableValue(const VARIANT& source);
    ~ComparableValue();
    ComparableValue(const ComparableValue&) = delete;
    ComparableValue& operator=(const ComparableValue&) = delete;

    // The kind a value has without conversion (references followed).
    static VARTYPE KindOf(const VARIANT& value);

    VARTYPE GetKind() const { return kind_; }
    // The VARTYPE of the source value.
    VARTYPE SourceType() const { return V_VT(&source_); }

    // -1, 0 or 1. Values of different kinds are not equal: empty and null
    // values sort before all others, then text, Booleans and numbers.
    int Compare(ComparableValue& other);
    // Brings the value to the kind of the given type by converting its
    // source; false when it cannot take part in a comparison as that type.
    bool ConvertTo(VARTYPE requested);

private:
    void Normalise(const VARIANT& value);
    bool MayConvert(VARTYPE requested) const;
    const CDualString& TextValue();

    VARIANT source_;
    VARIANT alternative_;
    bool useAlternative_ = false;
    VARTYPE kind_ = None;
    bool signed_ = false;
    ULONG integer_ = 0;
    double floating_ = 0.0;
    LONGLONG currency_ = 0;
    bool boolean_ = false;
    CDualString text_;          // narrow form of a text value, filled on first comparison
    bool textFilled_ = false;
};

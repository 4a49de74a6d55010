// ComparableValue: classification, conversion and comparison of values.
#include "ComparableValue.h"

#include <cmath>

namespace {

constexpr USHORT kChangeFlags = VARIANT_NOVALUEPROP | VARIANT_LOCALBOOL;

bool IsWhole(double value)
{
    return std::isfinite(value) && std::trunc(value) == value;
}

template <class T>
int Order(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

ComparableValue::ComparableValue()
{
    VariantInit(&source_);
    VariantInit(&alternative_);
}

ComparableValue::ComparableValue(const VARIANT& source) : ComparableValue()
{
    if (SUCCEEDED(VariantCopyInd(&source_, const_cast<VARIANT*>(&source))))
        Normalise(source_);
}

ComparableValue::~ComparableValue()
{
    VariantClear(&alternative_);
    VariantClear(&source_);
}

VARTYPE ComparableValue::KindOf(const VARIANT& value)
{
    const VARIANT* plain = &value;
    if (V_VT(plain) == (VT_VARIANT | VT_BYREF))
        plain = V_VARIANTREF(plain);
    if (!plain)
        return None;
    switch (V_VT(plain) & ~VT_BYREF) {
    case VT_NULL:
        return Null;
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_INT:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UINT:
    case VT_ERROR:
    case VT_HRESULT:
        return Integer;
    case VT_R4:
    case VT_R8:
        return Floating;
    case VT_CY:
        return Currency;
    case VT_DATE:
        return Date;
    case VT_BSTR:
        return Text;
    case VT_BOOL:
        return Boolean;
    default:
        return None;
    }
}

void ComparableValue::Normalise(const VARIANT& value)
{
    kind_ = KindOf(value);
    textFilled_ = false;
    text_.Empty();
    signed_ = false;
    switch (V_VT(&value)) {
    case VT_I1:
        integer_ = static_cast<ULONG>(static_cast<LONG>(V_I1(&value)));
        signed_ = true;
        break;
    case VT_I2:
        integer_ = static_cast<ULONG>(static_cast<LONG>(V_I2(&value)));
        signed_ = true;
        break;
    case VT_I4:
        integer_ = static_cast<ULONG>(V_I4(&value));
        signed_ = true;
        break;
    case VT_INT:
        integer_ = static_cast<ULONG>(V_INT(&value));
        signed_ = true;
        break;
    case VT_UI1:
        integer_ = V_UI1(&value);
        break;
    case VT_UI2:
        integer_ = V_UI2(&value);
        break;
    case VT_UI4:
        integer_ = V_UI4(&value);
        break;
    case VT_UINT:
        integer_ = V_UINT(&value);
        break;
    case VT_ERROR:
    case VT_HRESULT:
        integer_ = static_cast<ULONG>(V_ERROR(&value));
        break;
    case VT_R4:
        floating_ = V_R4(&value);
        break;
    case VT_R8:
        floating_ = V_R8(&value);
        break;
    case VT_DATE:
        floating_ = V_DATE(&value);
        break;
    case VT_CY:
        currency_ = V_CY(&value).int64;
        break;
    case VT_BOOL:
        boolean_ = V_BOOL(&value) != VARIANT_FALSE;
        break;
    default:
        break;
    }
}

const CDualString& ComparableValue::TextValue()
{
    if (!textFilled_) {
        const VARIANT& value = useAlternative_ ? alternative_ : source_;
        text_.AssignWide(V_VT(&value) == VT_BSTR ? V_BSTR(&value) : nullptr);
        textFilled_ = true;
    }
    return text_;
}

// Values of different kinds stand in one order: empty, null, text,
// Booleans, then the numbers by kind.
static int KindRank(VARTYPE kind)
{
    switch (kind) {
    case ComparableValue::None:
        return 0;
    case ComparableValue::Null:
        return 1;
    case ComparableValue::Text:
        return 2;
    case ComparableValue::Boolean:
        return 3;
    default:
        return 4 + kind;
    }
}

int ComparableValue::Compare(ComparableValue& other)
{
    if (kind_ != other.kind_)
        return KindRank(kind_) < KindRank(other.kind_) ? -1 : 1;
    switch (kind_) {
    case Integer:
        if (integer_ == other.integer_)
            return 0;
        return signed_ ? Order(static_cast<LONG>(integer_), static_cast<LONG>(other.integer_))
                       : Order(integer_, other.integer_);
    case Floating:
    case Date:
        return Order(floating_, other.floating_);
    case Currency:
        return Order(currency_, other.currency_);
    case Text:
        return TextValue().CompareNoCase(other.TextValue().Text());
    case Boolean:
        return Order(boolean_ ? 1 : 0, other.boolean_ ? 1 : 0);
    default:
        return 0;
    }
}

// Conversions that would make unequal values equal are refused: a fraction
// is never rounded to an integer, and only text becomes a Boolean.
bool ComparableValue::MayConvert(VARTYPE requested) const
{
    const VARTYPE from = KindOf(source_);
    if (requested == VT_BOOL)
        return from == Text;
    if (requested != VT_I4)
        return true;
    switch (from) {
    case Floating:
        return IsWhole(V_VT(&source_) == VT_R4 ? V_R4(&source_) : V_R8(&source_));
    case Currency:
        return V_CY(&source_).int64 % 10000 == 0;
    case Boolean:
        return false;
    case Text: {
        VARIANT number;
        VariantInit(&number);
        if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(&source_), kChangeFlags, VT_R8)))
            return false;
        return IsWhole(V_R8(&number));
    }
    default:
        return true;
    }
}

bool ComparableValue::ConvertTo(VARTYPE requested)
{
    if (kind_ == requested)
        return true;
    if (KindOf(source_) == requested) {
        VariantClear(&alternative_);
        useAlternative_ = false;
        Normalise(source_);
        return true;
    }
    if (!MayConvert(requested))
        return false;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &source_, kChangeFlags, requested)))
        return kind_ == requested;
    VariantClear(&alternative_);
    alternative_ = converted;
    useAlternative_ = true;
    Normalise(alternative_);
    return kind_ == requested;
}

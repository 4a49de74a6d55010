// Packing of event arguments into DISPPARAMS and the broadcast.
#include "FireEvent.h"

bool EventArgument::Pack(VARTYPE type, VARIANTARG& out) const noexcept
{
    VariantInit(&out);
    if (type & VT_BYREF) {
        if (m_kind != Kind::Pointer)
            return false;
        out.vt = type;
        out.byref = m_value.pointer;
        return true;
    }
    const bool whole = m_kind == Kind::Boolean || m_kind == Kind::Integer;
    const bool number = whole || m_kind == Kind::Single || m_kind == Kind::Double;
    const double real = m_kind == Kind::Single ? m_value.single
                      : m_kind == Kind::Double ? m_value.real
                      : static_cast<double>(m_value.integer);
    switch (type) {
    case VT_VARIANT:
        if (m_kind != Kind::Variant)
            return false;
        out = m_value.variant;
        return true;
    case VT_EMPTY:
    case VT_NULL:
    case VT_DECIMAL:
        break;
    case VT_I2:
        if (!whole)
            return false;
        out.iVal = static_cast<SHORT>(m_value.integer);
        break;
    case VT_I4:
        if (!whole)
            return false;
        out.lVal = static_cast<LONG>(m_value.integer);
        break;
    case VT_ERROR:
        if (!whole)
            return false;
        out.scode = static_cast<SCODE>(m_value.integer);
        break;
    case VT_BOOL:
        if (!whole)
            return false;
        out.boolVal = m_kind == Kind::Boolean ? (m_value.integer ? VARIANT_TRUE : VARIANT_FALSE)
                                              : static_cast<VARIANT_BOOL>(m_value.integer);
        break;
    case VT_R4:
        if (!number)
            return false;
        out.fltVal = m_kind == Kind::Single ? m_value.single : static_cast<float>(real);
        break;
    case VT_R8:
    case VT_DATE:
        if (!number)
            return false;
        out.dblVal = real;
        break;
    case VT_CY:
        if (m_kind != Kind::Currency)
            return false;
        out.cyVal = m_value.currency;
        break;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
        if (m_kind != Kind::Pointer)
            return false;
        out.byref = m_value.pointer;
        break;
    default:
        return false;
    }
    out.vt = type;
    return true;
}

HRESULT FireEventArguments(CAutomationObjectWithEvents& object, const EventDescriptor& descriptor,
                           const EventArgument* arguments, std::size_t count) noexcept
{
    const LONG parameters = descriptor.parameterCount;
    if (parameters < 0 || parameters > MaxEventParameters || count != static_cast<std::size_t>(parameters))
        return E_INVALIDARG;
    if (parameters > 0 && (!descriptor.parameterTypes || !arguments))
        return E_INVALIDARG;

    VARIANTARG packed[MaxEventParameters];
    for (LONG i = 0; i < parameters; ++i) {
        if (!arguments[i].Pack(descriptor.parameterTypes[i], packed[parameters - 1 - i]))
            return E_INVALIDARG;
    }
    DISPPARAMS params = {parameters > 0 ? packed : nullptr, nullptr, static_cast<UINT>(parameters), 0};
    object.EventPoint().InvokeAllSinks(descriptor.dispid, &params);
    return S_OK;
}

// FireEvent: broadcasts one event to every event sink of an object, with
// typed arguments packed into DISPPARAMS as the event's descriptor says.
#pragma once

#include "AutomationObjectWithEvents.h"
#include "EventDescriptor.h"

#include <cstddef>
#include <type_traits>

// One argument of an event as the caller gave it, before it is packed into
// the VARIANTARG of the descriptor's type. Arguments keep their own type, so
// a float travels as a float (no promotion to double through an ellipsis).
// Nothing is copied deeply: BSTRs, objects and variants stay the caller's.
class EventArgument
{
public:
    EventArgument(bool value) noexcept : m_kind(Kind::Boolean) { m_value.integer = value ? 1 : 0; }
    EventArgument(float value) noexcept : m_kind(Kind::Single) { m_value.single = value; }
    EventArgument(double value) noexcept : m_kind(Kind::Double) { m_value.real = value; }
    EventArgument(CY value) noexcept : m_kind(Kind::Currency) { m_value.currency = value; }
    EventArgument(const VARIANT& value) noexcept : m_kind(Kind::Variant) { m_value.variant = value; }
    EventArgument(std::nullptr_t) noexcept : m_kind(Kind::Pointer) { m_value.pointer = nullptr; }

    template <class T, std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>, int> = 0>
    EventArgument(T value) noexcept : m_kind(Kind::Integer)
    {
        m_value.integer = static_cast<long long>(value);
    }

    // A pointer: a by-reference parameter, a BSTR or an interface. An object
    // pointer is taken as its IDispatch, or else its IUnknown.
    template <class T>
    EventArgument(T* value) noexcept : m_kind(Kind::Pointer)
    {
        if constexpr (std::is_convertible_v<T*, IDispatch*>)
            m_value.pointer = static_cast<IDispatch*>(value);
        else if constexpr (std::is_convertible_v<T*, IUnknown*>)
            m_value.pointer = static_cast<IUnknown*>(value);
        else
            m_value.pointer = const_cast<std::remove_cv_t<T>*>(value);
    }

    // Fills out as a parameter of the given type; false when this argument
    // cannot be one.
    bool Pack(VARTYPE type, VARIANTARG& out) const noexcept;

private:
    enum class Kind { Boolean, Integer, Single, Double, Currency, Variant, Pointer };

    Kind m_kind;
    union {
        long long integer;
        float single;
        double real;
        CY currency;
        VARIANT variant;
        void* pointer;
    } m_value;
};

// Packs the arguments (first parameter last, as IDispatch::Invoke expects,
// no named arguments) and invokes the descriptor's DISPID on every event
// sink of object. Nothing is allocated. Answers E_INVALIDARG, firing nothing,
// when the arguments do not match the descriptor; the sinks' own results are
// not reported.
HRESULT FireEventArguments(CAutomationObjectWithEvents& object, const EventDescriptor& descriptor,
                           const EventArgument* arguments, std::size_t count) noexcept;

template <class... Arguments>
HRESULT FireEvent(CAutomationObjectWithEvents* object, const EventDescriptor& descriptor,
                  const Arguments&... arguments) noexcept
{
    if (!object)
        return E_POINTER;
    if constexpr (sizeof...(Arguments) == 0) {
        return FireEventArguments(*object, descriptor, nullptr, 0);
    } else {
        const EventArgument packed[] = {EventArgument(arguments)...};
        return FireEventArguments(*object, descriptor, packed, sizeof...(Arguments));
    }
}

// The two shapes of a grid event firer, shared by the firer sources: raise
// an event with no answer, and raise one whose last argument is a Cancel
// object that the handlers may set.
#pragma once

#include "ControlBase.h"
#include "EventFiringScope.h"
#include "FireEvent.h"
#include "HvReturnBoolean.h"
#include "HvReturnFloat.h"

#include <memory>

namespace event_raise {

struct ReleaseInterface {
    void operator()(IUnknown* object) const noexcept { object->Release(); }
};
// Owns the firer's one reference on a return-value object.
template <class T>
using ReturnObject = std::unique_ptr<T, ReleaseInterface>;

template <class T, class V>
V ReadValue(T* object, V fallback)
{
    V value = fallback;
    if (FAILED(object->get_Value(&value)))
        return fallback;
    return value;
}

// A group selection (99) is reported as a column selection.
inline std::int32_t SelectChangeKindForEvent(std::int32_t kind)
{
    return kind == 99 ? 2 : kind;
}

// Raises the event when the gate allows it.
template <class... Arguments>
void Raise(EventEnableMask& gate, const EventDescriptor& event, const Arguments&... arguments)
{
    EventFiringScope scope(gate, event.dispid);
    if (scope.IsAllowed())
        FireEvent(scope.Owner(), event, arguments...);
}

// Raises the event with a Cancel object after the arguments; true when a
// handler left Cancel set. Not raised (false) when the gate refuses or no
// Cancel object can be made.
template <class... Arguments>
bool RaiseCancellable(EventEnableMask& gate, const EventDescriptor& event, const Arguments&... arguments)
{
    EventFiringScope scope(gate, event.dispid);
    if (!scope.IsAllowed())
        return false;
    ReturnObject<IHvReturnBoolean> cancel(HvReturnBoolean::Create(VARIANT_FALSE));
    if (!cancel)
        return false;
    FireEvent(scope.Owner(), event, arguments..., cancel.get());
    return ReadValue(cancel.get(), VARIANT_BOOL(VARIANT_FALSE)) != 0;
}

} // namespace event_raise

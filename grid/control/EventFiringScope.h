// EventFiringScope: the bracket of one custom event firer. It holds the
// control alive for the handlers and counts the firing in the gate's
// counter for the event while it lives.
#pragma once

#include "EventEnableMask.h"

class EventFiringScope
{
public:
    EventFiringScope(EventEnableMask& gate, std::int32_t dispid);
    ~EventFiringScope();
    EventFiringScope(const EventFiringScope&) = delete;
    EventFiringScope& operator=(const EventFiringScope&) = delete;

    // The event may be raised now.
    bool IsAllowed() const { return m_gate.IsEventAllowed(m_dispid); }
    // The control, held for the scope's lifetime (may be null).
    CControlBase* Owner() const { return m_owner; }

private:
    EventEnableMask& m_gate;
    std::int32_t m_dispid;
    std::int32_t m_counter;
    CControlBase* m_owner;
};

// The bracket of one custom event firer.
#include "EventFiringScope.h"

#include "ControlBase.h"

EventFiringScope::EventFiringScope(EventEnableMask& gate, std::int32_t dispid)
    : m_gate(gate), m_dispid(dispid), m_counter(EventEnableMask::EventCounterIndex(dispid)),
      m_owner(gate.GetOwner())
{
    // A handler may release the control; it must outlive the firer.
    if (m_owner)
        m_owner->CUnknownObject::AddRef();
    // Counted before the gate is asked: IsEventFiring holds for the whole
    // firer, whether or not the event reaches the container.
    if (m_counter >= 0)
        ++m_gate.m_firing[m_counter];
}

EventFiringScope::~EventFiringScope()
{
    if (m_counter >= 0)
        --m_gate.m_firing[m_counter];
    if (m_owner)
        m_owner->CUnknownObject::Release();
}

// The scope of one stock-event firing.
#include "StockFiringGuard.h"

#include "ControlBase.h"

StockFiringGuard::StockFiringGuard(StockEventSink& sink, DISPID dispid)
    : m_sink(sink), m_dispid(dispid), m_index(StockEventIndex(dispid)), m_owner(sink.GetOwner())
{
    if (m_owner)
        m_owner->CUnknownObject::AddRef();
    // Counted before the gate is asked, so IsFiring holds for the whole
    // firer even when nothing is sent.
    if (m_index >= 0)
        ++m_sink.m_firing[m_index];
}

StockFiringGuard::~StockFiringGuard()
{
    if (m_index >= 0)
        --m_sink.m_firing[m_index];
    if (m_owner)
        m_owner->CUnknownObject::Release();
}

// StockFiringGuard: the scope of one stock-event firing. It holds the owner
// control alive and counts the firing in the sink's counter while it lives.
#pragma once

#include "StockEventSink.h"

class StockFiringGuard
{
public:
    StockFiringGuard(StockEventSink& sink, DISPID dispid);
    ~StockFiringGuard();
    StockFiringGuard(const StockFiringGuard&) = delete;
    StockFiringGuard& operator=(const StockFiringGuard&) = delete;

    bool CanFire() const { return m_sink.CanFire(m_dispid); }
    // The owner, held for the guard's lifetime (may be null).
    CControlBase* Owner() const { return m_owner; }

private:
    StockEventSink& m_sink;
    DISPID m_dispid;
    int m_index;
    CControlBase* m_owner;
};

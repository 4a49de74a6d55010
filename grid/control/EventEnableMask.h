// EventEnableMask: the grid's event gate. It keeps one enable bit and one
// firing counter per custom event of the grid (the stock events live in the
// framework base), and answers whether an event may be raised now, whether
// it is being raised, and which events the container has switched off
// through EventEnabled.
#pragma once

#include "StockEventSink.h"

#include <cstdint>

class CControlBase;

// Group identifiers of EventEnabled (Constants_GridEventIds).
namespace GridEventGroup {
constexpr std::int32_t AllEvents = 2147483647;
constexpr std::int32_t AllBeforeEvents = 2147483646;
constexpr std::int32_t AllAfterEvents = 2147483645;
} // namespace GridEventGroup

class EventEnableMask : public StockEventSink
{
public:
    // A zero-terminated list of event identifiers.
    using EventList = const std::int32_t*;

    // owner is not referenced: the control owns the gate and deletes it.
    explicit EventEnableMask(CControlBase* owner) noexcept;
    ~EventEnableMask() override = default;

    CControlBase* GetOwner() override { return m_owner; }

    bool IsEnabled(std::int32_t id) const;
    void SetEnabled(std::int32_t id, bool enable);
    bool AreAllEnabled() const;
    void SetAll(bool enable);
    bool IsListEnabled(EventList list) const;
    void SetListEnabled(EventList list, bool enable);

    // True while a firer of this event runs (nested firings count each).
    bool IsEventFiring(std::int32_t dispid) const;
    // The owner may fire events and the event is enabled.
    bool IsEventAllowed(std::int32_t dispid);

    // The before and after groups, each ending with 0.
    static EventList BeforeEvents();
    static EventList AfterEvents();

    // The firing counter of a custom event: 49 and 50 (MouseEnter,
    // MouseExit) and 1000-1070 less 1000; -1 for every other identifier.
    static std::int32_t EventCounterIndex(std::int32_t dispid);
    // The custom enable bit of an identifier (1000 and above less 1000,
    // else the identifier itself, valid from 0 to 127): the mask of the bit
    // in its word, and the word's index in *word; 0 when there is none.
    static std::uint32_t EventBitFromDispid(std::int32_t dispid, std::int16_t* word);

    static constexpr int CounterCount = 71;

private:
    friend class EventFiringScope;

    std::uint32_t m_customBits[4];
    CControlBase* m_owner;
    std::uint16_t m_firing[CounterCount] = {};
};

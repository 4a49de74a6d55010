// The grid's event gate: enable bits, groups and firing counters.
#include "EventEnableMask.h"

#include "ControlBase.h"

namespace {

// Every Before event of the grid; OnSelectionDrag does not belong here.
constexpr std::int32_t kBeforeEvents[] = {1020, 1021, 1023, 1024, 1025, 1026, 1027, 1028, 1022, 1029,
                                          1030, 1031, 1033, 1065, 1034, 1035, 1036, 1037, 1038, 1039,
                                          1040, 1041, 1042, 1043, 1044, 1045, 1046, 1066, 1047, 0};
// Every After event, AfterCellListCloseUp included.
constexpr std::int32_t kAfterEvents[] = {1000, 1052, 1002, 1003, 1005, 1004, 1006, 1007, 1009, 1010, 1068, 1069,
                                         1011, 1012, 1014, 1013, 1015, 1016, 1017, 1018, 1067, 1019, 0};

} // namespace

EventEnableMask::EventEnableMask(CControlBase* owner) noexcept
    : StockEventSink(0xFFFFFFFFu, true), m_customBits{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu},
      m_owner(owner)
{
}

EventEnableMask::EventList EventEnableMask::BeforeEvents()
{
    return kBeforeEvents;
}

EventEnableMask::EventList EventEnableMask::AfterEvents()
{
    return kAfterEvents;
}

std::int32_t EventEnableMask::EventCounterIndex(std::int32_t dispid)
{
    if (dispid == 49 || dispid == 50)
        return dispid;
    if (dispid >= 1000 && dispid <= 1070)
        return dispid - 1000;
    return -1;
}

std::uint32_t EventEnableMask::EventBitFromDispid(std::int32_t dispid, std::int16_t* word)
{
    const std::int32_t index = dispid >= 1000 ? dispid - 1000 : dispid;
    if (index < 0 || index > 127)
        return 0;
    if (word)
        *word = static_cast<std::int16_t>(index / 32);
    return 1u << (index % 32);
}

bool EventEnableMask::AreAllEnabled() const
{
    if (EnableBits() != 0xFFFFFFFFu)
        return false;
    for (std::uint32_t bits : m_customBits) {
        if (bits != 0xFFFFFFFFu)
            return false;
    }
    return true;
}

void EventEnableMask::SetAll(bool enable)
{
    for (std::uint32_t& bits : m_customBits)
        bits = enable ? 0xFFFFFFFFu : 0;
    EnableAll(enable);
}

bool EventEnableMask::IsListEnabled(EventList list) const
{
    for (; list && *list; ++list) {
        if (!IsEnabled(*list))
            return false;
    }
    return true;
}

void EventEnableMask::SetListEnabled(EventList list, bool enable)
{
    for (; list && *list; ++list)
        SetEnabled(*list, enable);
}

bool EventEnableMask::IsEnabled(std::int32_t id) const
{
    switch (id) {
    case GridEventGroup::AllEvents:
        return AreAllEnabled();
    case GridEventGroup::AllBeforeEvents:
        return IsListEnabled(kBeforeEvents);
    case GridEventGroup::AllAfterEvents:
        return IsListEnabled(kAfterEvents);
    default:
        break;
    }
    if (id < 0)
        return StockEventSink::IsEnabled(id);
    std::int16_t word = 0;
    const std::uint32_t bit = EventBitFromDispid(id, &word);
    return bit != 0 && (m_customBits[word] & bit) != 0;
}

void EventEnableMask::SetEnabled(std::int32_t id, bool enable)
{
    switch (id) {
    case GridEventGroup::AllEvents:
        SetAll(enable);
        return;
    case GridEventGroup::AllBeforeEvents:
        SetListEnabled(kBeforeEvents, enable);
        return;
    case GridEventGroup::AllAfterEvents:
        SetListEnabled(kAfterEvents, enable);
        return;
    default:
        break;
    }
    if (id < 0) {
        Enable(id, enable);
        return;
    }
    std::int16_t word = 0;
    const std::uint32_t bit = EventBitFromDispid(id, &word);
    if (bit == 0)
        return;
    if (enable)
        m_customBits[word] |= bit;
    else
        m_customBits[word] &= ~bit;
}

bool EventEnableMask::IsEventFiring(std::int32_t dispid) const
{
    const std::int32_t counter = EventCounterIndex(dispid);
    if (counter >= 0)
        return m_firing[counter] != 0;
    return IsFiring(dispid);
}

bool EventEnableMask::IsEventAllowed(std::int32_t dispid)
{
    return CanFireEvents(m_owner) && IsEnabled(dispid);
}

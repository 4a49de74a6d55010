// Visible-row entries: geometry, shared borders and the alternate-row rule.
#include "HvVisibleRow.h"

#include <new>

HvVisibleRow* HvVisibleRow::Create(HvVisibleRowList& list, VisibleRowSubject& row, HvVisibleRow* parent)
{
    return new (std::nothrow) HvVisibleRow(list, row, parent);
}

HvVisibleRow::HvVisibleRow(HvVisibleRowList& list, VisibleRowSubject& row, HvVisibleRow* parent)
    : list_(list), row_(row), parent_(parent)
{
    row_.AddRefRow();
    if (parent_)
        parent_->AddRef();
}

HvVisibleRow::~HvVisibleRow()
{
    ClearSiblingLinks();
    UnlinkListLink(this);
    if (parent_)
        parent_->Release();
    row_.ReleaseRow();
}

unsigned long HvVisibleRow::Release()
{
    const unsigned long left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

void HvVisibleRow::LinkAfterSibling(HvVisibleRow& previous)
{
    if (previous.nextSibling_ == this)
        return;
    if (previous.nextSibling_) {
        previous.nextSibling_->prevSibling_ = nullptr;
        previous.nextSibling_->Release();
    }
    AddRef();
    previous.nextSibling_ = this;
    prevSibling_ = &previous;
}

void HvVisibleRow::ClearSiblingLinks()
{
    // The previous sibling's forward link is its own to clear.
    prevSibling_ = nullptr;
    if (HvVisibleRow* next = nextSibling_) {
        nextSibling_ = nullptr;
        if (next->prevSibling_ == this)
            next->prevSibling_ = nullptr;
        next->Release();
    }
}

long HvVisibleRow::BandHeaderHeight() const
{
    VisibleRowBand* band = row_.Band();
    return band ? band->HeaderHeight() : 0;
}

bool HvVisibleRow::SharesBorder() const
{
    VisibleRowBand* band = row_.Band();
    if (!band || !band->IsRowBorderThin())
        return false;
    // A row with its band's headers drawn above it, and the first row of the
    // list, have no neighbour above to share a border with.
    if (headersAbove && BandHeaderHeight() >= 1)
        return false;
    if (HvVisibleRowList::Prev(this) == nullptr)
        return false;
    return (sharedBorderFlags & SharedBorderLowBit) != 0;
}

long HvVisibleRow::GetTop(bool lessSharedBorder) const
{
    long value = top;
    const long headers = BandHeaderHeight();
    if (headersAbove && headers >= 1)
        value += headers;
    if (lessSharedBorder && SharesBorder())
        value -= 1;
    return value;
}

long HvVisibleRow::GetHeight(bool lessSharedBorder) const
{
    long value = row_.TotalHeight();
    if (headersAbove)
        value += BandHeaderHeight();
    if (lessSharedBorder && SharesBorder())
        value -= 1;
    return value;
}

bool HvVisibleRow::IsFirstOfContent() const
{
    if (row_.ParentRow())
        return false;
    for (HvVisibleRow* before = HvVisibleRowList::Prev(this); before; before = HvVisibleRowList::Prev(before))
        if (IsSiblingOf(*before))
            return false;
    return true;
}

bool HvVisibleRow::IsSiblingOf(const HvVisibleRow& other) const
{
    return &other.row_ != &row_ && other.row_.Band() == row_.Band() && other.row_.ParentRow() == row_.ParentRow();
}

void HvVisibleRow::PropagateAlternateForward(HvVisibleRow* stop)
{
    bool previous = alternate_;
    for (HvVisibleRow* entry = HvVisibleRowList::Next(this); entry; entry = HvVisibleRowList::Next(entry)) {
        if (!entry->IsSiblingOf(*this))
            continue;
        entry->alternate_ = !previous;
        entry->alternateKnown_ = true;
        previous = entry->alternate_;
        if (entry == stop)
            return;
    }
}

void HvVisibleRow::PropagateAlternateBackward(HvVisibleRow* stop)
{
    bool following = alternate_;
    for (HvVisibleRow* entry = HvVisibleRowList::Prev(this); entry; entry = HvVisibleRowList::Prev(entry)) {
        if (!entry->IsSiblingOf(*this))
            continue;
        entry->alternate_ = !following;
        entry->alternateKnown_ = true;
        following = entry->alternate_;
        if (entry == stop)
            return;
    }
}

bool HvVisibleRow::IsAlternate()
{
    if (alternateKnown_)
        return alternate_;
    // The nearest known sibling before this entry carries its value forward.
    for (HvVisibleRow* before = HvVisibleRowList::Prev(this); before; before = HvVisibleRowList::Prev(before)) {
        if (IsSiblingOf(*before) && before->alternateKnown_) {
            before->PropagateAlternateForward(this);
            break;
        }
    }
    // Else the nearest known sibling after it carries its value backward.
    if (!alternateKnown_) {
        for (HvVisibleRow* after = HvVisibleRowList::Next(this); after; after = HvVisibleRowList::Next(after)) {
            if (IsSiblingOf(*after) && after->alternateKnown_) {
                after->PropagateAlternateBackward(this);
                break;
            }
        }
    }
    // Else the row's place in its row list decides: odd places alternate.
    if (!alternateKnown_) {
        const long position = row_.PositionInRowList();
        alternate_ = position >= 0 && (position % 2) == 1;
    }
    alternateKnown_ = true;
    return alternate_;
}

void HvVisibleRowList::Append(HvVisibleRow* entry)
{
    if (!entry)
        return;
    HvVisibleRow* last = Last();
    if (last)
        entry->InsertAfter(last);
    else
        entry->InsertAfter(&head_);
    entry->index = count_++;
}

void HvVisibleRowList::InsertBefore(HvVisibleRow* entry, HvVisibleRow* before)
{
    if (!entry)
        return;
    if (!before) {
        Append(entry);
        return;
    }
    entry->InsertBefore(before);
    ++count_;
}

void HvVisibleRowList::Remove(HvVisibleRow* entry)
{
    if (!entry || !entry->IsLinked())
        return;
    UnlinkListLink(entry);
    --count_;
    entry->Release();
}

void HvVisibleRowList::Clear()
{
    while (HvVisibleRow* entry = First()) {
        UnlinkListLink(entry);
        entry->Release();
    }
    count_ = 0;
}

HvVisibleRow* HvVisibleRowList::Last() const
{
    HvVisibleRow* last = nullptr;
    for (HvVisibleRow* entry = First(); entry; entry = Next(entry))
        last = entry;
    return last;
}

HvVisibleRow* HvVisibleRowList::Prev(const HvVisibleRow* entry)
{
    ListLink* prev = entry->Prev();
    // The first entry's previous link is the list head.
    if (!prev || !prev->Prev())
        return nullptr;
    return At(prev);
}

// HvVisibleRow and HvVisibleRowList: one row shown in a row scroll region
// with its place there, and the region's list of them. An entry is
// reference counted; the list holds one reference to each entry in it.
#pragma once

#include "ListLink.h"
#include "VisibleRowSeam.h"

class HvVisibleRowList;

class HvVisibleRow final : public ListLink {
public:
    static constexpr long SharedBorderLowBit = 1;

    // A new entry for row (referenced) with one reference; parent is the
    // entry of the parent row in the same list (referenced), or null.
    static HvVisibleRow* Create(HvVisibleRowList& list, VisibleRowSubject& row, HvVisibleRow* parent);

    unsigned long AddRef() { return ++refs_; }
    unsigned long Release();

    VisibleRowSubject& Row() const { return row_; }
    VisibleRowBand* GetBand() const { return row_.Band(); }
    HvVisibleRow* Parent() const { return parent_; }

    // Place in the region (pixels from the region's top) and the marks the
    // view style sets.
    long top = 0;
    long topCopy = 0;
    bool headersAbove = false;
    long index = 0;
    long spacingBelow = 0;
    long sharedBorderFlags = 0;
    // The entry directly below shows a child row of this row.
    bool nextIsChild = false;

    // The next entry of the same band and parent row (referenced) and the
    // previous one (not referenced).
    HvVisibleRow* NextSibling() const { return nextSibling_; }
    HvVisibleRow* PrevSibling() const { return prevSibling_; }
    void LinkAfterSibling(HvVisibleRow& previous);
    void ClearSiblingLinks();

    long GetTop(bool lessSharedBorder) const;
    long GetHeight(bool lessSharedBorder) const;
    bool SharesBorder() const;
    bool IsFirstOfContent() const;
    // Whether the row is drawn as an alternate row: rows alternate per band
    // and per parent, whatever rows of other bands lie between them.
    bool IsAlternate();

private:
    HvVisibleRow(HvVisibleRowList& list, VisibleRowSubject& row, HvVisibleRow* parent);
    ~HvVisibleRow() override;

    bool IsSiblingOf(const HvVisibleRow& other) const;
    // From a known entry, each later (earlier) sibling up to and including
    // stop takes the opposite of the sibling before (after) it.
    void PropagateAlternateForward(HvVisibleRow* stop);
    void PropagateAlternateBackward(HvVisibleRow* stop);
    long BandHeaderHeight() const;

    HvVisibleRowList& list_;
    VisibleRowSubject& row_;
    HvVisibleRow* parent_;
    HvVisibleRow* nextSibling_ = nullptr;
    HvVisibleRow* prevSibling_ = nullptr;
    unsigned long refs_ = 1;
    bool alternate_ = false;
    bool alternateKnown_ = false;
};

class HvVisibleRowList {
public:
    HvVisibleRowList() = default;
    HvVisibleRowList(const HvVisibleRowList&) = delete;
    HvVisibleRowList& operator=(const HvVisibleRowList&) = delete;
    ~HvVisibleRowList() { Clear(); }

    // Takes over the entry's reference and numbers it.
    void Append(HvVisibleRow* entry);
    // Takes over the entry's reference and links it before before (at the
    // end when before is null); the caller places it.
    void InsertBefore(HvVisibleRow* entry, HvVisibleRow* before);
    // Unlinks the entry and drops the list's reference to it.
    void Remove(HvVisibleRow* entry);
    void Clear();
    long Count() const { return count_; }
    bool Empty() const { return First() == nullptr; }
    HvVisibleRow* First() const { return At(head_.Next()); }
    HvVisibleRow* Last() const;
    static HvVisibleRow* Next(const HvVisibleRow* entry) { return At(entry->Next()); }
    static HvVisibleRow* Prev(const HvVisibleRow* entry);

private:
    static HvVisibleRow* At(ListLink* link) { return static_cast<HvVisibleRow*>(link); }

    struct Head final : ListLink {};
    Head head_;
    long count_ = 0;
};

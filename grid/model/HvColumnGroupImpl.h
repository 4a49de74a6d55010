// HvColumnGroupImpl: the part that columns and column groups share: the
// owning band, the header, the cell appearance, the key, the stored origin
// and extent, the first/last item flags and the read-only-in-event and
// level-copy flags, with the operations through which the band, the
// display and the selection treat both alike. Each owner fills the virtual
// operations with its own answers.
#pragma once

#include "AppearanceRef.h"
#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "DualString.h"
#include "SubscriptionLink.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class CAutomationObject;
class ColumnBandSeam;
class ColumnLayoutSeam;
class HvHeader;
class SelectionControlSeam;

class HvColumnGroupImpl : public ChangePublisher, public ChangeSubscriber {
public:
    // Dispatch identifiers of the shared properties.
    static constexpr DISPID HeaderId = 1121;
    static constexpr DISPID CellAppearanceId = 1263;
    static constexpr DISPID WidthId = 1056;
    static constexpr DISPID HiddenId = 1127;
    static constexpr DISPID LevelId = 1122;
    static constexpr DISPID VisiblePositionId = 1135;
    static constexpr DISPID SelectedId = -527;
    static constexpr DISPID ExclusiveRegionId = 1126;
    // Object kind of a header request of an appearance resolution.
    static constexpr DWORD HeaderRequestKind = 34;

    HvColumnGroupImpl(const HvColumnGroupImpl&) = delete;
    HvColumnGroupImpl& operator=(const HvColumnGroupImpl&) = delete;

    // The owner's automation base (liveness, errors, reference counting).
    virtual CAutomationObject& Automation() = 0;

    // --- operations each owner answers -----------------------------------
    virtual bool IsGroup() const = 0;
    virtual bool CanSwap() = 0;
    virtual bool ShowsSwapButton() { return CanSwap(); }
    // Exchanges places with other (same kind) through the position events.
    virtual HRESULT Swap(HvColumnGroupImpl* other) = 0;
    // The items the header's swap list offers, in the band's order.
    virtual void FillSwapList(std::vector<HvColumnGroupImpl*>& items) = 0;
    virtual LONG GetVisibleExtent() = 0;
    virtual LONG GetOrigin() = 0;
    virtual void SetStoredOrigin(LONG offset) { origin_ = offset; }
    virtual void SetFirstItem(bool first) { firstItem_ = first; }
    virtual void SetLastItem(bool last) { lastItem_ = last; }
    virtual bool CanSize() = 0;
    virtual void GetSizeRange(LONG* minWidth, LONG* maxWidth) = 0;
    // The header rectangle relative to the item's origin; with an area the
    // rectangle is bottom-aligned in it.
    virtual void GetHeaderRect(RECT* rect, const RECT* area) = 0;
    virtual LONG GetSortIndicator() = 0;
    virtual void GetDefaultCaption(CDualString& caption) = 0;
    virtual LONG GetLevelHeaderHeight() = 0;
    virtual SHORT GetEffectiveLevel() = 0;
    virtual bool HasChildBand() = 0;
    // Pixels; with flag the stored extent is not used.
    virtual LONG GetWidth(bool flag) = 0;
    virtual HRESULT SetWidth(LONG width) = 0;
    LONG GetWidthNow() { return GetWidth(false); }
    virtual SHORT GetVisiblePosition() = 0;
    virtual HRESULT SetVisiblePosition(SHORT position) = 0;

    // Selection, activation and header drags.
    virtual bool IsSelectedItem() = 0;
    virtual void SetSelectedFlag(bool selected) = 0;
    virtual bool IsHiddenItem() = 0;
    // A Constants_Activation value.
    virtual LONG GetEffectiveActivation() = 0;
    bool IsDisabledItem() { return GetEffectiveActivation() == 2; }
    virtual bool CanMove() = 0;
    // 2 column, 99 group.
    virtual LONG GetDragKind() const = 0;
    virtual bool OnHeaderClick() = 0;

    // --- shared data and operations --------------------------------------
    ColumnBandSeam* Band() const { return band_; }
    // Null once the band has left its layout.
    ColumnLayoutSeam* Layout() const;
    // The same; owners whose other faces also have a Layout use this name.
    ColumnLayoutSeam* ItemLayout() const { return Layout(); }
    SelectionControlSeam* GridControl() const;
    HvHeader* Header() const { return header_; }
    AppearanceRef& CellAppearance() { return cellAppearance_; }
    const CDualString& KeyString() const { return key_; }
    LONG StoredOrigin() const { return origin_; }
    LONG StoredExtent() const { return extent_; }
    void SetStoredExtent(LONG extent) { extent_ = extent; }
    bool IsFirstItem() const { return firstItem_; }
    bool IsLastItem() const { return lastItem_; }
    bool IsReadOnlyInEvent() const { return readOnlyInEvent_; }
    void SetReadOnlyInEvent(bool value) { readOnlyInEvent_ = value; }
    bool IsLevelCopy() const { return levelCopy_; }
    bool IsAlive();

    // The header's exclusive column scroll region when it is still alive.
    IHvColScrollRegion* GetExclusiveColScrollRegion();
    // The width plus the band's row-selector and expansion-indicator room
    // for the first item.
    LONG GetExtent();
    // 0 when hidden; the stored offset, plus the band's origin unless the
    // item has an exclusive region.
    LONG SharedOrigin();
    // Moves rect down by what area is taller than the band's one-level
    // header height.
    void AlignRectToBottom(RECT* rect, const RECT* area);
    void Notify(DISPID what, std::intptr_t argument = 0) { NotifySubscribers(what, argument); }

    // Left of the item in a column scroll region whose scroll offset is
    // regionOffset (pixels): 0 when hidden; far out of sight when the item's
    // exclusive region is another one; unless raw, the first item's room for
    // row selectors and expansion indicators is added.
    LONG GetLeft(IHvColScrollRegion* region, LONG regionOffset, bool raw);
    // The cell rectangle in a row (top and height in pixels): horizontally
    // at placement 0 the origin, 1 zero, 2 left (raw) in the region, 3 the
    // origin less the region's scroll offset; then narrowed to toLevel.
    void GetCellRect(LONG rowTop, LONG rowHeight, LONG placement, IHvColScrollRegion* region, LONG regionOffset,
                     int toLevel, RECT* rect);
    // Narrows a cell rectangle from level fromLevel to toLevel: 1 expansion
    // indicator, 2 row selector, 3 row border, 4 cell spacing, 5 cell
    // border, 6 cell padding (4 to 6 for columns only).
    void DeflateCellRect(RECT* rect, int fromLevel, int toLevel);
    // Relation 0 first, 1 last, 2 after item, 3 before item, 4 and 5 the
    // neighbours without the flag, 6 and 7 with it; none above 7. A column
    // answers itself when shown; a group answers among its columns.
    virtual HvColumnGroupImpl* GetRelatedItem(HvColumnGroupImpl* item, LONG relation, bool flag);
    // The default caption when the item has no header.
    void GetCaption(CDualString& caption);

    // The common checks of a setter: alive (42805), not a level copy
    // (10500), not read-only in an event (4014). S_OK when it may go on.
    HRESULT CheckSetter();
    HRESULT CheckNotReadOnlyInEvent();
    HRESULT RaiseError(HRESULT result, WORD stringId);

    // ChangePublisher
    unsigned long AddRefPublisher() override;
    unsigned long ReleasePublisher() override;
    // ChangeSubscriber
    bool OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t argument) override;
    unsigned long AddRefSubscriber() override;
    unsigned long ReleaseSubscriber() override;

protected:
    // band is not owned; key may be null. The header is made by the owner
    // (CreateHeader) once its automation base exists.
    HvColumnGroupImpl(ColumnBandSeam* band, const CDualString* key);
    // A level copy of source: band, a clone of its header, an empty cell
    // appearance on the same layout, tag (by the owner), key, origin,
    // extent and the state bytes; the level-copy flag set.
    HvColumnGroupImpl(HvColumnGroupImpl& source, bool levelCopy);
    ~HvColumnGroupImpl() override;

    void CreateHeader(HvColumnGroupImpl* copyFrom);
    // The owner's deactivation: links cut; a real item (no level copy) also
    // deactivates its header and detaches its cell appearance.
    void ReleaseSharedReferences();
    void ReleaseHeader();
    // Replaced appearance objects of the cell appearance.
    bool IsHeaderNotice(const ChangeNotice* notice) const;

    ColumnBandSeam* band_;  // not owned
    HvHeader* header_ = nullptr;  // one reference
    SubscriptionLink headerLink_;
    AppearanceRef cellAppearance_;
    CDualString key_;
    LONG origin_ = 0;
    LONG extent_ = 0;
    bool firstItem_ = false;
    bool lastItem_ = false;
    bool readOnlyInEvent_ = false;
    bool levelCopy_ = false;
};

// Marks an item read-only for the duration of one event.
class ReadOnlyInEventScope {
public:
    explicit ReadOnlyInEventScope(HvColumnGroupImpl* item) : item_(item)
    {
        if (item_)
            item_->SetReadOnlyInEvent(true);
    }
    ~ReadOnlyInEventScope()
    {
        if (item_)
            item_->SetReadOnlyInEvent(false);
    }
    ReadOnlyInEventScope(const ReadOnlyInEventScope&) = delete;
    ReadOnlyInEventScope& operator=(const ReadOnlyInEventScope&) = delete;

private:
    HvColumnGroupImpl* item_;
};

// LayoutPartsSeam: the parts of a layout that other parts of the grid make:
// bands, the add-new box, scroll regions, the root UI element, the
// view-style strategy and the selection strategies. The code that
// implements each part installs its maker in the process-wide table; a
// layout whose maker is missing goes without that part.
#pragma once

#include "OverrideStrategy.h"

#include <windows.h>
#include <Tavelle.h>

#include <memory>

class ChangePublisher;
class ChangeSubscriber;
class CDualString;
class ColScrollRegionItem;
class GridColumnSeam;
class GridGroupSeam;
class HvBand;
class HvGroups;
class GridBandSeam;
class HvLayout;
class HvPersistParticipant;
class RowScrollRegionItem;

// What the layout needs of its add-new box.
class LayoutAddNewBoxSeam {
public:
    // The box's interface; the layout holds one reference to it.
    virtual IHvAddNewBox* Interface() = 0;
    virtual HvPersistParticipant* Participant() = 0;
    virtual ChangePublisher* Publisher() = 0;
    virtual bool IsHidden() = 0;
    // The box's raw ButtonBorderStyle and the cursor of its resolved button
    // appearance (null for none).
    virtual LONG ButtonBorderStyle() = 0;
    virtual HCURSOR ButtonCursor() = 0;
    // The layout lets go of the box: it stops answering its clients.
    virtual void Detach() = 0;

protected:
    ~LayoutAddNewBoxSeam() = default;
};

// What the layout needs of its root UI element (the grid element).
class LayoutRootElementSeam {
public:
    virtual ~LayoutRootElementSeam() = default;
    virtual RECT Rect() = 0;
    virtual void SetRect(const RECT& rect) = 0;
    // Marks the element changed: how 0 redraws only, else re-lays it out.
    virtual void MarkChanged(int how) = 0;
    virtual void VerifyChildElements() = 0;
    // The add-new box element (type 400) is redrawn.
    virtual void RedrawAddNewBox() = 0;
    // The add-new box element (one new reference), or null.
    virtual IHvUIElement* AddNewBoxElement() { return nullptr; }
};

// The view-style strategy (single band, multi-band vertical or horizontal).
class LayoutViewStyleSeam {
public:
    virtual ~LayoutViewStyleSeam() = default;
    // The level at which the band is laid out (3: not laid out by columns).
    virtual int BandLevel(GridBandSeam* band) = 0;
    // Whether further bands after this one need their column metrics.
    virtual bool NeedsFurtherBands(GridBandSeam* band) = 0;
    virtual bool HidesChildBands() = 0;
    virtual bool SyncsRowHeights() = 0;
    // Places the band after its header layout (sets its origin).
    virtual void PlaceBand(HvBand* band) = 0;
    virtual void ExtentChanged(HvBand* band, LONG delta) = 0;
};

struct LayoutPartMakers {
    HRESULT (*band)(HvLayout& layout, ChangeSubscriber* subscriber, GridBandSeam* parent, const CDualString* key,
                    GridBandSeam** out) = nullptr;
    // A new box with one reference, subscribing nobody yet.
    HRESULT (*addNewBox)(HvLayout& layout, LayoutAddNewBoxSeam** out) = nullptr;
    ColScrollRegionItem* (*colScrollRegion)(HvLayout& layout, ChangeSubscriber* subscriber) = nullptr;
    RowScrollRegionItem* (*rowScrollRegion)(HvLayout& layout, ChangeSubscriber* subscriber) = nullptr;
    std::unique_ptr<LayoutRootElementSeam> (*rootElement)(HvLayout& layout) = nullptr;
    // viewStyle 0 single band; 1 multi-band with viewStyleBand 0 vertical or
    // 1 horizontal.
    std::unique_ptr<LayoutViewStyleSeam> (*viewStyle)(HvLayout& layout, int viewStyle, int viewStyleBand) = nullptr;
    // A new column or group of a band (one reference, given).
    HRESULT (*column)(HvLayout& layout, HvBand* band, const CDualString* key, LONG flags,
                      GridColumnSeam** out) = nullptr;
    HRESULT (*group)(HvLayout& layout, HvBand* band, HvGroups* groups, const CDualString* key,
                     GridGroupSeam** out) = nullptr;
    // The selection strategy of a SelectType setting's kind and value.
    std::unique_ptr<OverrideStrategy> (*selectStrategy)(OverrideStrategyKind kind, int value) = nullptr;
};

// The process-wide makers (user-interface thread only).
LayoutPartMakers& LayoutParts();
// Installs the makers of the object model's own parts (bands, columns,
// groups) where none is installed yet; every new layout calls it.
void InstallModelLayoutParts();

// LayoutViewStyle: the layout's view-style object: the strategy of its
// ViewStyle and ViewStyleBand settings, with the layout, its bands and their
// header items as the strategy sees them. The layout makes one on demand
// and drops it when either setting changes. Rows come from the row model
// through DisplayRows (the control installs it).
#pragma once

#include "CViewStyle.h"
#include "LayoutPartsSeam.h"

#include <map>
#include <memory>

class GridBandSeam;
class HvBand;
class HvColumnGroupImpl;
class HvLayout;
class LayoutViewStyle;

// The rows of a layout as the display sees them; installed by the control
// object, which sees the row model.
struct DisplayRows {
    // The control's first or last shown row of the top band (referenced);
    // E_UNEXPECTED without a control.
    HRESULT (*edgeRow)(HvLayout& layout, bool last, ViewStyleRow** out) = nullptr;
    // The row behind a client's row object (referenced), or null.
    ViewStyleRow* (*fromObject)(HvLayout& layout, IUnknown* row) = nullptr;
    // The top-level row at index (from 0) of the row model (referenced), or
    // null.
    ViewStyleRow* (*topRowAt)(HvLayout& layout, long index) = nullptr;
    // The index of a row's top-level ancestor among the top-level rows, or
    // -1 when unknown.
    long (*topIndexOf)(HvLayout& layout, ViewStyleRow* row) = nullptr;
};
// The process-wide row hooks (user-interface thread only).
DisplayRows& DisplayRowHooks();

// A band as the strategy and the visible rows see it.
class ModelViewStyleBand final : public ViewStyleBand, public VisibleRowBand {
public:
    ModelViewStyleBand(LayoutViewStyle& owner, HvBand& band) : owner_(owner), band_(band) {}
    HvBand& Band() const { return band_; }

    // ViewStyleBand
    bool IsHidden() override;
    ViewStyleBand* ParentBand() override;
    long Depth() override;
    long HeaderHeight(int level) override;
    long Origin() override;
    long Extent() override;
    void SetOrigin(long origin) override;
    long RowBorderStyle() override;
    bool HasChildBindings() override;
    // VisibleRowBand
    long HeaderHeight() override { return HeaderHeight(1); }
    bool IsRowBorderThin() override;

private:
    LayoutViewStyle& owner_;
    HvBand& band_;
};

// A column's or group's header item as the strategy places it.
class ModelViewStyleHeader final : public ViewStyleHeader {
public:
    ModelViewStyleHeader(LayoutViewStyle& owner, HvColumnGroupImpl& item) : owner_(owner), item_(item) {}
    HvColumnGroupImpl& Item() const { return item_; }

    ViewStyleBand* Band() override;
    bool IsHidden() override;
    ViewStyleColRegion* ExclusiveRegion() override { return nullptr; }
    long Origin() override;
    long Width() override;
    long Position() override { return position_; }
    void SetPosition(long position) override { position_ = position; }
    bool StartsAtBandIndent() override { return false; }

private:
    LayoutViewStyle& owner_;
    HvColumnGroupImpl& item_;
    long position_ = 0;
};

class LayoutViewStyle final : public LayoutViewStyleSeam, public ViewStyleLayout, public ViewStyleHeaderSource {
public:
    // The layout parts' maker: null for settings without a strategy.
    static std::unique_ptr<LayoutViewStyleSeam> Make(HvLayout& layout, int viewStyle, int viewStyleBand);
    // The layout's strategy, made when missing; null when it has none.
    static LayoutViewStyle* Of(HvLayout& layout);

    CViewStyle& Strategy() { return *style_; }
    HvLayout& Layout() const { return layout_; }
    // The adapter of a band or header item of this layout (made on first
    // use, kept for the object's life), or null.
    ModelViewStyleBand* BandOf(GridBandSeam* band);
    ModelViewStyleHeader* HeaderOf(HvColumnGroupImpl* item);

    // LayoutViewStyleSeam
    int BandLevel(GridBandSeam* band) override;
    bool NeedsFurtherBands(GridBandSeam* band) override;
    bool HidesChildBands() override { return !style_->IsMultiBand(); }
    bool SyncsRowHeights() override { return style_->IsHorizontal(); }
    void PlaceBand(HvBand* band) override;
    void ExtentChanged(HvBand* band, LONG delta) override;

    // ViewStyleLayout
    long BandCount() override;
    ViewStyleBand* BandAt(long index) override;
    long InterBandSpacing() override;
    long MinRowHeight() override;
    HRESULT EdgeRow(bool last, ViewStyleRow** out) override;
    ViewStyleHeaderSource* Headers() override { return this; }

    // ViewStyleHeaderSource
    long HeaderCount(ViewStyleBand* band) override;
    ViewStyleHeader* HeaderAt(ViewStyleBand* band, long index) override;

private:
    explicit LayoutViewStyle(HvLayout& layout) : layout_(layout) {}

    HvLayout& layout_;
    std::unique_ptr<CViewStyle> style_;
    std::map<HvBand*, std::unique_ptr<ModelViewStyleBand>> bands_;
    std::map<HvColumnGroupImpl*, std::unique_ptr<ModelViewStyleHeader>> headers_;
};

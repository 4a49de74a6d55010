// DisplayRowAdapter: a row object of the row model as the grid display sees
// it. One adapter stands for one row object while anything holds it, so
// that the display may compare rows by their adapters; it keeps the row
// referenced. InstallDisplayRows gives the display its row hooks.
#pragma once

#include "DisplayRowSeam.h"
#include "RowAutoPreview.h"

class HvLayout;
class HvRow;

class DisplayRowAdapter final : public DisplayRow {
public:
    // The adapter of row with one reference of the caller's, or null.
    static DisplayRowAdapter* For(HvLayout& layout, HvRow* row);

    DisplayRowAdapter(const DisplayRowAdapter&) = delete;
    DisplayRowAdapter& operator=(const DisplayRowAdapter&) = delete;

    // VisibleRowSubject
    void AddRefRow() override { ++refs_; }
    void ReleaseRow() override;
    VisibleRowBand* Band() override;
    VisibleRowSubject* ParentRow() override { return ParentStyleRow(); }
    long Height() override;
    long TotalHeight() override;
    long PositionInRowList() override { return -1; }

    // ViewStyleRow
    ViewStyleBand* StyleBand() override;
    ViewStyleRow* ParentStyleRow() override;
    bool IsAlive() override;
    bool IsHidden() override;
    bool ShowsChildRows() override;
    bool HasChildRows() override;
    bool HasPrevSibling() override;
    bool HasNextSibling() override;
    bool HasPrevSiblingSpanningBands() override;
    bool HasNextSiblingSpanningBands() override;
    long RowSpacingBefore() override;
    ViewStyleRow* Child(ViewStyleBand* band, bool last) override;
    long FetchSiblings(bool backward, long count, ViewStyleRow** out) override;

    // DisplayRow
    CAutomationObject* RowObject() override;
    HvKeyedItem* RowItem() override;
    HvBand* ModelBand() override;
    bool IsSelected() override;
    bool IsActiveRow() override;
    bool IsActivationDisabled() override;
    bool HasDataChanged() override;
    bool IsAddRow() override;
    bool ShowsExpansionIndicator() override;
    bool IsExpanded() override;
    void SetExpanded(bool expanded) override;
    void ResolveAppearance(AppearanceData& data, std::uint32_t mask, bool alternate, int part) override;
    bool IsFixedHeight() override;
    long MinHeight() override;
    void Resize(long pixels) override;
    long AutoPreviewHeight() override { return preview_.Height(); }
    HvUIElementOwner* AutoPreviewOwner() override { return &preview_; }
    std::wstring ScrollTipText() override;
    void Activate() override;
    CAutomationObject* CellObject(HvColumnGroupImpl* column) override;
    HvUIElementOwner* CellOwner(HvColumnGroupImpl* column) override;
    long CellButton(HvColumnGroupImpl* column, long textAlign, bool* keepsRoom) override;
    void ResolveCellAppearance(HvColumnGroupImpl* column, AppearanceData& data, std::uint32_t mask,
                               bool alternate) override;
    long CellState(HvColumnGroupImpl* column) override;
    long CellStyle(HvColumnGroupImpl* column) override;
    void EnterEditMode(HvColumnGroupImpl* column) override;

    HvRow& Row() const { return row_; }

private:
    DisplayRowAdapter(HvLayout& layout, HvRow& row);
    ~DisplayRowAdapter();

    // The adapter of a row a client object stands for (referenced), or null.
    ViewStyleRow* Wrap(IUnknown* object);

    HvLayout& layout_;
    HvRow& row_;                          // one reference
    DisplayRowAdapter* parent_ = nullptr; // one reference, made on first need
    unsigned long refs_ = 1;
    RowAutoPreview preview_;
};

// Installs the display's row hooks (when the library starts).
void InstallDisplayRows();

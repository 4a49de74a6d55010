// SheetRange: a range of cells of one sheet as an automation object:
// navigation (Cells, Range, Rows, Columns, EntireRow), values, selection,
// merging, sizes and AutoFit, and the cell formats with their Font and
// Interior. Property reads answer for the range's first cell.
#pragma once

#include "RangeTarget.h"
#include "SheetObject.h"

namespace hv::sheet::server {

// Asked of an argument to learn whether it is one of our ranges.
extern const IID kRangeObjectIid;

class SheetRange final : public SheetObject<IHvSheetRange> {
public:
    using InterfaceType = IHvSheetRange;
    SheetRange(Session session, RangeTarget target);
    static IDispatch* Create(Session session, std::weak_ptr<Worksheet> sheet, const CellRect& rect,
                             RangeKind kind = RangeKind::Cells);

    const RangeTarget& Target() const { return target_; }

    STDMETHODIMP get_Value(VARIANT* value) override;
    STDMETHODIMP put_Value(VARIANT value) override;
    STDMETHODIMP get_Cells(VARIANT row, VARIANT column, IDispatch** range) override;
    STDMETHODIMP get_Item(VARIANT row, VARIANT column, IDispatch** range) override;
    STDMETHODIMP get_Range(VARIANT cell1, VARIANT cell2, IDispatch** range) override;
    STDMETHODIMP get_Rows(VARIANT index, IDispatch** range) override;
    STDMETHODIMP get_Columns(VARIANT index, IDispatch** range) override;
    STDMETHODIMP get_EntireRow(IDispatch** range) override;
    STDMETHODIMP get_EntireColumn(IDispatch** range) override;
    STDMETHODIMP get_Worksheet(IDispatch** sheet) override;
    STDMETHODIMP get_Font(IDispatch** font) override;
    STDMETHODIMP get_Interior(IDispatch** interior) override;
    STDMETHODIMP get_Row(long* row) override;
    STDMETHODIMP get_Column(long* column) override;
    STDMETHODIMP get_Count(double* count) override;
    STDMETHODIMP get_Address(BSTR* address) override;
    STDMETHODIMP Select() override;
    STDMETHODIMP Activate() override;
    STDMETHODIMP Merge(VARIANT across) override;
    STDMETHODIMP UnMerge() override;
    STDMETHODIMP AutoFit() override;
    STDMETHODIMP ClearContents() override;
    STDMETHODIMP get_RowHeight(VARIANT* value) override;
    STDMETHODIMP put_RowHeight(VARIANT value) override;
    STDMETHODIMP get_ColumnWidth(VARIANT* value) override;
    STDMETHODIMP put_ColumnWidth(VARIANT value) override;
    STDMETHODIMP get_MergeCells(VARIANT* value) override;
    STDMETHODIMP put_MergeCells(VARIANT value) override;

    // Formats (SheetRangeFormat.cpp).
    STDMETHODIMP get_NumberFormat(VARIANT* value) override;
    STDMETHODIMP put_NumberFormat(VARIANT value) override;
    STDMETHODIMP get_Style(VARIANT* value) override;
    STDMETHODIMP put_Style(VARIANT value) override;
    STDMETHODIMP get_HorizontalAlignment(VARIANT* value) override;
    STDMETHODIMP put_HorizontalAlignment(VARIANT value) override;
    STDMETHODIMP get_VerticalAlignment(VARIANT* value) override;
    STDMETHODIMP put_VerticalAlignment(VARIANT value) override;
    STDMETHODIMP get_WrapText(VARIANT* value) override;
    STDMETHODIMP put_WrapText(VARIANT value) override;
    STDMETHODIMP get_Orientation(VARIANT* value) override;
    STDMETHODIMP put_Orientation(VARIANT value) override;
    STDMETHODIMP get_AddIndent(VARIANT* value) override;
    STDMETHODIMP put_AddIndent(VARIANT value) override;
    STDMETHODIMP get_IndentLevel(VARIANT* value) override;
    STDMETHODIMP put_IndentLevel(VARIANT value) override;
    STDMETHODIMP get_ShrinkToFit(VARIANT* value) override;
    STDMETHODIMP put_ShrinkToFit(VARIANT value) override;
    STDMETHODIMP get_ReadingOrder(VARIANT* value) override;
    STDMETHODIMP put_ReadingOrder(VARIANT value) override;

protected:
    HRESULT QueryOther(REFIID iid, void** out) override;

private:
    IDispatch* Sub(const CellRect& rect, RangeKind kind = RangeKind::Cells) const;
    const CellStyle& FirstStyle() const;
    void Format(const StyleTable::Change& change);

    RangeTarget target_;
};

// Reads and changes of one cell format for a range (used by Font and Interior too).
const CellStyle& FirstStyleOf(const RangeTarget& target);
void FormatTarget(const RangeTarget& target, const StyleTable::Change& change);

} // namespace hv::sheet::server

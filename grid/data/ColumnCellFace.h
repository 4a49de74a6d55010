// ColumnCellFace: a bound band's column as its cells see it (CellColumnHost):
// the field it reads in the row's data, whether that field is a chapter and
// the rows it leads to, its value type, key, extent and style. The band's
// row side makes one per column and keeps the column referenced. Drop-downs
// go to the grid's cell editor, the mask's text forms to the column's mask.
#pragma once

#include "CellHostSeam.h"

class CellDropDownHost;
class ColumnInfo;
class HvColumn;

class ColumnCellFace final : public CellColumnHost {
public:
    // dropDowns: not owned, may be null (no drop-downs then).
    ColumnCellFace(HvColumn* column, CellDropDownHost* dropDowns);
    ~ColumnCellFace();
    ColumnCellFace(const ColumnCellFace&) = delete;
    ColumnCellFace& operator=(const ColumnCellFace&) = delete;

    HvColumn* Column() const { return column_; }

    IHvColumn* ColumnInterface() override;
    bool IsBound() override;
    LONG DataIndex() override;
    bool IsChapter() override;
    HRESULT ChildRows(CellRowHost* row, IUnknown** out) override;
    VARTYPE ValueType() override;
    const CDualString* Key() override;
    LONG Extent() override;
    LONG Level() override;
    LONG TabStop() override;
    LONG ResolveStyle() override;
    bool HasValueList() override;
    bool IsDropDownShowing(HvCell* cell) override;
    HRESULT DropDown(HvCell* cell) override;
    HRESULT CloseDropDown(HvCell* cell) override;
    HRESULT ApplyMaskModeToValue(VARIANT* value, LONG mode) override;

    // The variant type in which a value of an OLE DB type is handed out;
    // VT_EMPTY when it has none of its own.
    static VARTYPE VariantTypeOf(LONG dataType);

private:
    ColumnInfo* Info() const;

    HvColumn* column_; // one reference
    CellDropDownHost* dropDowns_;
};

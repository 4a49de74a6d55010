// ColumnEditFace: a column's editing face for the cell editor, read from
// the column's settings, its resolved style and CellMultiLine, and the
// input mask the column owns.
#pragma once

#include "EditColumnSeam.h"

class HvColumn;

class ColumnEditFace final : public EditColumnSeam {
public:
    // column is not referenced and must outlive the face.
    explicit ColumnEditFace(HvColumn* column) : column_(column) {}

    HvColumn* Column() const { return column_; }

    LONG Style() override;
    LONG DataType() override;
    VARTYPE ValueType() override;
    LONG FieldLen() override;
    LONG Case() override;
    bool AutoEdit() override;
    bool AutoSizeEdit() override;
    bool IsMultiLine() override;
    bool VertScrollBar() override;
    VARTYPE EmptyValueType() override;
    HRESULT ParseEditText(BSTR text, VARIANT* value) override;
    bool LookupValueListItem(const VARIANT& value, BSTR* text) override;
    bool CompleteFromValueList(BSTR* text) override;
    HvValueList* ValueList() override;
    InputMask* Mask() override;
    LONG MaskDataMode() override;

private:
    HvColumn* column_;  // not referenced
};
